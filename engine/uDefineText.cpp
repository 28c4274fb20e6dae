#include "engine/uDefineText.h"

namespace qlm {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<std::string> TextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (c != '\r' && c != '\n') {
      ++pos;
      continue;
    }
    lines.emplace_back(text.substr(start, pos - start));
    pos += (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    start = pos;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string FirstSectionName(std::string_view text) {
  for (const std::string& line : TextLines(text)) {
    const std::string_view trimmed = Trimmed(line);
    if (trimmed.empty() || trimmed.front() == ';') continue;
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      return std::string(Trimmed(trimmed.substr(1, trimmed.size() - 2)));
    }
  }
  return std::string();
}

}  // namespace qlm
