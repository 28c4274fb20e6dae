// Language files: a file that reads is written back in the format and reads
// as the same file; a refused one leaves the caller's record alone.
#include <string>

#include "fuzz/uFuzzCheck.h"
#include "lng/uLanguageFile.h"

using namespace qlm;
using namespace qlm::lng;

namespace {

// The escapes of the texts section: a line break as "\n", a backslash as "\\".
std::string Escaped(const std::string& text) {
  std::string escaped;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      escaped += "\\n";
      ++i;
    } else if (text[i] == '\\') {
      escaped += "\\\\";
    } else {
      escaped += text[i];
    }
  }
  return escaped;
}

std::string Written(const TLanguageFile& file) {
  std::string text = "[" + file.Version + "]\r\n[Language]\r\n";
  text += "Name = " + file.Name + "\r\nFile = " + file.File + "\r\n";
  text += "CodePage = " + std::to_string(file.CodePage) + "\r\n";
  text += std::string("Default = ") + (file.Default ? "1" : "0") + "\r\n[Texts]\r\n";
  for (const auto& [key, value] : file.Texts) text += key + " = " + Escaped(value) + "\r\n";
  return text;
}

bool SameFile(const TLanguageFile& a, const TLanguageFile& b) {
  return a.Version == b.Version && a.Name == b.Name && a.File == b.File &&
         a.CodePage == b.CodePage && a.Default == b.Default && a.Texts == b.Texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TLanguageFile file;
  file.Name = "untouched";
  std::string error;
  if (!ReadLanguageFile(fuzz::InputText(data, size), file, error)) {
    FUZZ_CHECK(!error.empty());
    FUZZ_CHECK(file.Name == "untouched" && file.Texts.empty());
    return 0;
  }
  FUZZ_CHECK(!file.Name.empty() && !file.File.empty());
  FUZZ_CHECK(file.CodePage >= 1 && file.CodePage <= 65535);
  for (const auto& [key, value] : file.Texts) FUZZ_CHECK(LanguageText(file, key) == value);
  FUZZ_CHECK(file.Texts.count("") != 0 || LanguageText(file, "") == "[]");

  TLanguageFile again;
  std::string againError;
  FUZZ_CHECK(ReadLanguageFile(Written(file), again, againError));
  FUZZ_CHECK(SameFile(file, again));
  return 0;
}
