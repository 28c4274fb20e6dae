// The text of an INI file held whole in memory: sections and their keys in
// file order, read as the application script is read, and one value written
// back by editing only its own line. Free of Windows headers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qlm {

struct TIniKey {
  std::string Name;   // blanks around it removed
  std::string Value;  // blanks around it removed, quotes kept
  std::size_t ValueStart = 0;
  std::size_t ValueEnd = 0;
  std::size_t LineNext = 0;  // where the next line begins
};

struct TIniSection {
  std::string Name;
  std::vector<TIniKey> Keys;
  std::size_t HeaderNext = 0;  // where the line after the header begins
};

// Layout: a line whose text, blanks removed, begins with "[" and ends with
// "]" opens a section named by the text between (blanks removed); a line
// with "=" inside a section is a key; blank lines, lines beginning with ";"
// and any other line are skipped. CR LF, a lone CR or a lone LF ends a line.
// Section and key names compare without regard to case; where a name is
// given twice, the first one counts.
class TIniText {
 public:
  TIniText() = default;
  explicit TIniText(std::string text);

  const std::string& Text() const { return fText; }
  const std::vector<TIniSection>& Sections() const { return fSections; }
  const TIniSection* Section(std::string_view name) const;
  const TIniKey* Key(std::string_view section, std::string_view name) const;

  std::string ReadString(std::string_view section, std::string_view name,
                         std::string_view fallback = {}) const;
  // A decimal number with an optional sign; any other text gives fallback.
  int ReadInteger(std::string_view section, std::string_view name, int fallback) const;
  // An integer: 0 false, any other number true.
  bool ReadBool(std::string_view section, std::string_view name, bool fallback) const;

  // Sets a key's value. Only the value's characters change when the key
  // exists; otherwise one line is added after the section's last key (the
  // section is added at the end when missing). The line break is the one
  // the text already uses, CR LF when it has none.
  void WriteString(std::string_view section, std::string_view name, std::string_view value);

 private:
  void Parse();
  std::string LineBreak() const;

  std::string fText;
  std::vector<TIniSection> fSections;
};

// Whether two names are equal without regard to case.
bool SameName(std::string_view a, std::string_view b);

}  // namespace qlm
