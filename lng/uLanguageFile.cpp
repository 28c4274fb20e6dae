#include "lng/uLanguageFile.h"

#include <charconv>
#include <set>
#include <vector>

namespace qlm::lng {

namespace {

constexpr std::string_view HEADER_SECTION = "[Language]";
constexpr std::string_view TEXTS_SECTION = "[Texts]";

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool IsDigits(std::string_view text) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// Splits at LF (a CR right before it belongs to the line end) and refuses
// every other control character, so binary content never passes.
bool SplitLines(std::string_view bytes, std::vector<std::string_view>& lines, std::string& error) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == '\n') {
      std::size_t end = (i > start && bytes[i - 1] == '\r') ? i - 1 : i;
      lines.push_back(bytes.substr(start, end - start));
      start = i + 1;
    } else if (c == '\r') {
      if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') {
        error = "carriage return without line feed";
        return false;
      }
    } else if ((c < 32 && c != '\t') || c == 127) {
      error = "control character " + std::to_string(c) + " (not a text file)";
      return false;
    }
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return true;
}

// [a.b] or [a.b.c] with decimal parts; `version` gets the text between.
bool ReadVersionLine(std::string_view line, std::string& version) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
  std::string_view inner = line.substr(1, line.size() - 2);
  int parts = 0;
  std::string_view rest = inner;
  for (;;) {
    std::size_t dot = rest.find('.');
    if (!IsDigits(rest.substr(0, dot))) return false;
    ++parts;
    if (dot == std::string_view::npos) break;
    rest.remove_prefix(dot + 1);
  }
  if (parts < 2 || parts > 3) return false;
  version = inner;
  return true;
}

std::string Unescape(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      result += "\r\n";
      ++i;
    } else if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
      result += '\\';
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

class TReader {
 public:
  explicit TReader(TLanguageFile& file) : fFile(file) {}

  bool Line(std::string_view line) {
    std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';') return true;
    if (text.front() == '[') return Section(text);
    std::size_t equal = text.find('=');
    if (equal == std::string_view::npos) return Fail("a line that is no field: " + std::string(text));
    std::string_view name = Trim(text.substr(0, equal));
    std::string_view value = Trim(text.substr(equal + 1));
    if (name.empty()) return Fail("a field without a name");
    if (fSection == TSection::Header) return HeaderField(name, value);
    if (fSection == TSection::Texts) return TextField(name, value);
    return Fail("a field before the [Language] section");
  }

  bool Finish() {
    if (fSection != TSection::Texts) return Fail("the [Texts] section is missing");
    if (fFile.CodePage == 0) return Fail("the header lacks CodePage");
    if (fFile.Name.empty()) return Fail("the header lacks Name");
    if (fFile.File.empty()) return Fail("the header lacks File");
    return true;
  }

  const std::string& Error() const { return fError; }

 private:
  enum class TSection { None, Header, Texts };

  bool Fail(std::string error) {
    fError = std::move(error);
    return false;
  }

  bool Section(std::string_view text) {
    if (text == HEADER_SECTION && fSection == TSection::None) {
      fSection = TSection::Header;
      return true;
    }
    if (text == TEXTS_SECTION && fSection == TSection::Header) {
      fSection = TSection::Texts;
      return true;
    }
    return Fail("an unexpected section " + std::string(text));
  }

  bool HeaderField(std::string_view name, std::string_view value) {
    if (!fSeen.emplace(name).second)
      return Fail("a repeated header field " + std::string(name));
    if (name == "Name") {
      fFile.Name = value;
    } else if (name == "File") {
      fFile.File = value;
    } else if (name == "CodePage") {
      unsigned codePage = 0;
      auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), codePage);
      if (ec != std::errc() || end != value.data() + value.size() || codePage == 0 ||
          codePage > 65535)
        return Fail("CodePage is not a code page number");
      fFile.CodePage = codePage;
    } else if (name == "Default") {
      if (value != "0" && value != "1") return Fail("Default is neither 0 nor 1");
      fFile.Default = value == "1";
    } else {
      return Fail("an unknown header field " + std::string(name));
    }
    return true;
  }

  bool TextField(std::string_view key, std::string_view value) {
    if (!fFile.Texts.emplace(std::string(key), Unescape(value)).second)
      return Fail("a repeated key " + std::string(key));
    return true;
  }

  TLanguageFile& fFile;
  TSection fSection = TSection::None;
  std::set<std::string, std::less<>> fSeen;
  std::string fError;
};

}  // namespace

bool ReadLanguageFile(std::string_view bytes, TLanguageFile& file, std::string& error) {
  std::vector<std::string_view> lines;
  if (!SplitLines(bytes, lines, error)) return false;
  TLanguageFile read;
  if (lines.empty() || !ReadVersionLine(lines.front(), read.Version)) {
    error = "line 1 is not a version line such as [1.0.0]";
    return false;
  }
  TReader reader(read);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!reader.Line(lines[i])) {
      error = "line " + std::to_string(i + 1) + ": " + reader.Error();
      return false;
    }
  }
  if (!reader.Finish()) {
    error = reader.Error();
    return false;
  }
  file = std::move(read);
  return true;
}

std::string LanguageText(const TLanguageFile& file, std::string_view key) {
  auto found = file.Texts.find(key);
  if (found != file.Texts.end()) return found->second;
  std::string bracketed = "[";
  bracketed.append(key);
  bracketed += ']';
  return bracketed;
}

}  // namespace qlm::lng
