#include "misc/miscMask.h"

#include <string>

#include "misc/miscText.h"

namespace {

// Matches one character against the set opening at mask[at] ("["); moves at
// past the set. False in `closed` when the set never closes.
bool MatchesSet(char c, std::string_view mask, std::size_t& at, bool& closed) {
  std::size_t i = at + 1;
  bool negated = false;
  if (i < mask.size() && mask[i] == '!') {
    negated = true;
    ++i;
  }
  bool found = false;
  bool first = true;
  while (i < mask.size() && (mask[i] != ']' || first)) {
    first = false;
    if (i + 2 < mask.size() && mask[i + 1] == '-' && mask[i + 2] != ']') {
      if (c >= mask[i] && c <= mask[i + 2]) found = true;
      i += 3;
    } else {
      if (c == mask[i]) found = true;
      ++i;
    }
  }
  closed = i < mask.size();
  at = i + 1;
  return found != negated;
}

// Whether text[t..] matches mask[m..]; backtracks over the last "*" only,
// which is enough for a whole-text match.
bool MatchFrom(const std::string& text, const std::string& mask, bool& valid) {
  std::size_t t = 0;
  std::size_t m = 0;
  std::size_t starMask = std::string::npos;
  std::size_t starText = 0;
  while (t < text.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = ++m;
      starText = t;
      continue;
    }
    if (m < mask.size()) {
      std::size_t next = m + 1;
      bool matched = false;
      if (mask[m] == '[') {
        bool closed = true;
        next = m;
        matched = MatchesSet(text[t], mask, next, closed);
        if (!closed) {
          valid = false;
          return false;
        }
      } else {
        matched = mask[m] == '?' || mask[m] == text[t];
      }
      if (matched) {
        m = next;
        ++t;
        continue;
      }
    }
    if (starMask == std::string::npos) return false;
    m = starMask;
    t = ++starText;
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool HasMaskCharacters(std::string_view text) {
  return text.find_first_of("*?[") != std::string_view::npos;
}

bool MatchesMask(std::string_view text, std::string_view mask) {
  bool valid = true;
  const bool matched = MatchFrom(LowerText(text), LowerText(mask), valid);
  return valid && matched;
}
