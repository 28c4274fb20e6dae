// TXMLFile keeps one XML document in memory and reads and writes it through
// paths of element names ("application\options\core"), on the platform's DOM
// (MSXML through COM, on the thread that creates the object).
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/uHandles.h"

namespace qlm {

class EXMLFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A path without blanks at its ends, without one leading and one trailing
// "\", and with every other blank turned into "_", split at "\".
std::vector<std::string> SplitXMLPath(const std::string& path);
// Parts joined with "\" before each part.
std::string JoinXMLParts(const std::vector<std::string>& parts);

class TXMLFile {
 public:
  // Raises EXMLFileError("CoInitialize failed!") when COM cannot serve this
  // thread.
  explicit TXMLFile(std::string fileName);
  ~TXMLFile();
  TXMLFile(const TXMLFile&) = delete;
  TXMLFile& operator=(const TXMLFile&) = delete;

  // The running executable's folder + FileName.
  std::string FullPath() const;
  const std::string& FileName() const { return fFileName; }

  // False for a missing, unreadable or malformed file; the document is then
  // empty until SetXML or a successful Load fills it.
  bool Load();
  // Writes the document (UTF-8, no declaration, one line) beside the file and
  // replaces the file with it in one step, so that a failure keeps the old
  // file. Raises EXMLFileError on failure.
  void Save();
  // Replaces the content with parsed text; an empty text empties the document.
  // False, with a log line and the document unchanged, for malformed text.
  bool SetXML(const std::string& text);

  TComPtr<IXMLDOMNode> FindPath(const std::string& path) const;
  // The text of an element whose only child is one text node; otherwise, and
  // for an empty text, `defaultValue`.
  std::optional<std::string> ReadValue(const std::string& path,
                                       std::optional<std::string> defaultValue) const;
  // Appends a new leaf element (the middle names are reused or made).
  void AddValue(const std::string& path, const std::string& value);
  // `defaultValue` for a missing element, null for a present element without
  // the attribute.
  std::optional<std::string> ReadAttribute(const std::string& path, const std::string& name,
                                           std::optional<std::string> defaultValue) const;
  void WriteAttribute(const std::string& path, const std::string& name,
                      const std::string& value);
  void AddNode(const std::vector<std::string>& parts, bool makeBase);
  void SetBase(const std::string& path);
  void SetBaseParts(const std::vector<std::string>& parts);
  void ClearBase();
  bool HasBase() const { return static_cast<bool>(fBase); }

 private:
  TComPtr<IXMLDOMNode> FirstChildNamed(IXMLDOMNode* parent, const std::wstring& name) const;
  TComPtr<IXMLDOMNode> AppendElement(IXMLDOMNode* parent, const std::wstring& name);
  TComPtr<IXMLDOMNode> DocumentNode() const;
  std::string SerialisedUtf8() const;

  TComInit fCom;
  TComPtr<IXMLDOMDocument> fDocument;
  char fDelimiter = '\\';
  std::string fFileName;
  TComPtr<IXMLDOMNode> fBase;
};

}  // namespace qlm
