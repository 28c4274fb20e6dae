#include "engine/uMasks.h"

#include <array>
#include <string>

namespace {

constexpr std::array<char, 256> BuildLowerTable() {
  std::array<char, 256> table{};
  for (int c = 0; c < 256; ++c) {
    int lower = c;
    if (c >= 'A' && c <= 'Z') lower = c + 32;
    // Latin-1 capitals, the multiplication sign excepted.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) lower = c + 32;
    table[static_cast<std::size_t>(c)] = static_cast<char>(lower);
  }
  return table;
}

constexpr std::array<char, 256> kLower = BuildLowerTable();

// The end of the set that opens at mask[open] ('['), or npos when unclosed.
std::size_t SetEnd(std::string_view mask, std::size_t open) {
  std::size_t pos = open + 1;
  if (pos < mask.size() && mask[pos] == '!') ++pos;
  return mask.find(']', pos);
}

void CheckSets(std::string_view mask) {
  for (std::size_t pos = mask.find('['); pos != std::string_view::npos;
       pos = mask.find('[', pos + 1)) {
    pos = SetEnd(mask, pos);
    if (pos == std::string_view::npos) {
      throw EMaskError("Invalid mask \"" + std::string(mask) + "\": unclosed set");
    }
  }
}

// Whether c (lower case) is in the set mask[open..close].
bool InSet(std::string_view mask, std::size_t open, std::size_t close, char c) {
  std::size_t pos = open + 1;
  const bool negated = mask[pos] == '!';
  if (negated) ++pos;
  bool found = false;
  while (pos < close && !found) {
    const char first = LowerChar(mask[pos]);
    if (pos + 2 < close && mask[pos + 1] == '-') {
      const char last = LowerChar(mask[pos + 2]);
      const auto u = static_cast<unsigned char>(c);
      found = u >= static_cast<unsigned char>(first) && u <= static_cast<unsigned char>(last);
      pos += 3;
    } else {
      found = c == first;
      ++pos;
    }
  }
  return found != negated;
}

// Matches one mask element at mask[m] against c; sets next to the element's end.
bool MatchOne(std::string_view mask, std::size_t m, char c, std::size_t& next) {
  if (mask[m] == '[') {
    const std::size_t close = SetEnd(mask, m);
    next = close + 1;
    return InSet(mask, m, close, LowerChar(c));
  }
  next = m + 1;
  return mask[m] == '?' || LowerChar(mask[m]) == LowerChar(c);
}

}  // namespace

char LowerChar(char c) { return kLower[static_cast<unsigned char>(c)]; }

std::string LowerText(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerChar(c);
  return lower;
}

bool MatchesFileMask(std::string_view text, std::string_view mask) {
  CheckSets(mask);
  // Greedy match that returns to the last "*" on a mismatch.
  std::size_t t = 0, m = 0;
  std::size_t starMask = std::string_view::npos, starText = 0;
  while (t < text.size()) {
    std::size_t next = 0;
    if (m < mask.size() && mask[m] == '*') {
      starMask = ++m;
      starText = t;
    } else if (m < mask.size() && MatchOne(mask, m, text[t], next)) {
      m = next;
      ++t;
    } else if (starMask != std::string_view::npos) {
      m = starMask;
      t = ++starText;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

bool MatchesAnyMask(std::string_view text, const TStringList* masks) {
  if (masks == nullptr) return false;
  for (const std::string& mask : masks->Items) {
    if (MatchesFileMask(text, mask)) return true;
  }
  return false;
}
