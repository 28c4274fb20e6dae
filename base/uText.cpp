#include "base/uText.h"

#include <array>
#include <charconv>

namespace qlm {

namespace {

constexpr std::array<char, 256> BuildLowerTable() {
  std::array<char, 256> table{};
  for (int c = 0; c < 256; ++c) {
    int lower = c;
    if (c >= 'A' && c <= 'Z') lower = c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) lower = c + 32;
    table[static_cast<std::size_t>(c)] = static_cast<char>(lower);
  }
  return table;
}

constexpr std::array<char, 256> kLower = BuildLowerTable();

}  // namespace

char LowerChar(char c) { return kLower[static_cast<unsigned char>(c)]; }

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

std::optional<int> ParseDecimal(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  // from_chars takes a minus sign but no plus sign.
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::vector<std::string_view> SplitAt(std::string_view text, char delimiter) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(delimiter, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

bool FillPlaceholder(std::string& text, std::string_view placeholder, std::string_view value) {
  const std::size_t place = text.find(placeholder);
  if (place == std::string::npos) return false;
  text.replace(place, placeholder.size(), value);
  return true;
}

}  // namespace qlm
