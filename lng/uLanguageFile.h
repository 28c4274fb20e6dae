// The language file reader of lng.dll.
//
// Language file format (*.lng)
// ----------------------------
// A plain single-byte text file in the code page that its header declares.
// Lines end with CR LF or LF. Example:
//
//   [1.0.0]
//   ; a comment
//   [Language]
//   Name = English
//   File = english.lng
//   CodePage = 1252
//   Default = 1
//   [Texts]
//   bbScan = Scan
//   RBHint.Empty = The Recycle Bin is empty.\nRight-click for its menu.
//
// - Line 1 is the version line: a bracketed version of two or three decimal
//   parts, [a.b] or [a.b.c]. LngGetVersion returns the text between the
//   brackets; the update catalogue reads the same line.
// - Then the header section "[Language]" and the texts section "[Texts]", in
//   this order, each exactly once. Section names and field names are exact.
// - Header fields: Name (the display name, required), File (the text that
//   LngGetFile returns and the settings store, required; by convention the
//   file's own name), CodePage (the Windows code page of the file, a decimal
//   number, required) and Default (0 or 1, optional, 0 when absent). Each at
//   most once; any other field is refused.
// - A texts line is key = text. The key is everything before the first "=",
//   the text everything after it; blanks and tabs around both are dropped.
//   Keys are matched exactly (letter case counts) and may not repeat. In a
//   text "\n" stands for a line break (CR LF) and "\\" for one backslash; any
//   other backslash stays as it is. A text may be empty.
// - Empty lines and lines whose first non-blank character is ";" are ignored
//   everywhere after line 1.
// - A file that breaks any rule is refused as a whole, never half-read: no
//   version line, a missing, repeated or unknown section, a missing or
//   unknown header field, a line that is neither a section, a field nor a
//   comment, a repeated key, a control character other than tab, CR before
//   LF, or LF (a zero byte, for instance: binary content).
// - A key that the file lacks reads as the key in brackets, "[key]", so a
//   missing text is visible and never empty.
//
// This file needs no Windows header; the library converts the texts from the
// declared code page to the system's.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace qlm::lng {

struct TLanguageFile {
  std::string Version;
  std::string Name;
  std::string File;
  unsigned CodePage = 0;
  bool Default = false;
  std::map<std::string, std::string, std::less<>> Texts;
};

// Reads a whole language file from its bytes. False, with the reason in
// `error` and `file` untouched, when the bytes are not a language file.
bool ReadLanguageFile(std::string_view bytes, TLanguageFile& file, std::string& error);

// The text of `key`, or "[key]" when the file lacks it.
std::string LanguageText(const TLanguageFile& file, std::string_view key);

}  // namespace qlm::lng
