#include "misc/miscText.h"

#include <cstring>

namespace {

char LowerChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool PutText(std::string_view text, char* buffer, int size, int* outLength) {
  if (!buffer || !outLength || size <= 0) return false;
  if (text.size() + 1 > static_cast<std::size_t>(size)) return false;
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  *outLength = static_cast<int>(text.size());
  return true;
}

std::string_view ArgText(const char* text) { return text ? std::string_view(text) : std::string_view(); }

std::string LowerText(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerChar(c);
  return lower;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerChar(a[i]) != LowerChar(b[i])) return false;
  }
  return true;
}

std::string WithoutTrailingBackslash(std::string_view path) {
  while (path.size() > 1 && path.back() == '\\' && path[path.size() - 2] != ':') {
    path.remove_suffix(1);
  }
  return std::string(path);
}

std::string WithTrailingBackslash(std::string_view path) {
  std::string text(path);
  if (!text.empty() && text.back() != '\\') text += '\\';
  return text;
}
