// TConfig owns the program's settings: the options record and the file
// "quillmere.xml" in the program's folder that stores it, the four presets
// of the core options, and the one-time start-up language.
#pragma once

#include <memory>
#include <string>

#include "engine/uCoreTypes.h"
#include "settings/XMLFile.h"

namespace qlm {

inline constexpr char SETTINGS_FILE[] = "quillmere.xml";
inline constexpr char SETTINGS_TITLE[] = "quillmere pro";
inline constexpr char SETTINGS_VERSION[] = "1.0";
inline constexpr char STARTUP_LANGUAGE_FILE[] = "quillmere.ini";
inline constexpr char UNREADABLE_SETTINGS_SUFFIX[] = ".bad";

class TConfig {
 public:
  explicit TConfig(std::string fileName);
  ~TConfig();
  TConfig(const TConfig&) = delete;
  TConfig& operator=(const TConfig&) = delete;

  // Fills Options from the file, or from the defaults of a new file (written
  // at once) when there is no file the program accepts. An unreadable file is
  // kept as "<file>.bad" first.
  void Load();
  // Writes every stored field; raises EXMLFileError and keeps the old file
  // when the file cannot be written.
  void Save();
  // The defaults of a new file, then Save.
  void SetDefaults();

  void ApplyDefaultScan();
  void ApplyFastScan();
  void ApplyFullScan();
  void ApplyInternetScan();

  // The running executable's folder with a trailing delimiter.
  static std::string ProgramFolder();
  // The language of "quillmere.ini" beside the settings file, which is
  // deleted after reading; empty when there is none.
  std::string StartupLanguage();

  const std::string& FileName() const { return fFileName; }

  TOptions Options;

 private:
  std::string SettingsPath() const;
  std::string SettingsFolder() const;
  bool IsOurDocument() const;
  void KeepUnreadableFile();

  std::string fFileName;
  std::unique_ptr<TXMLFile> fXML;
};

}  // namespace qlm
