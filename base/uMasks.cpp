#include "base/uMasks.h"

#include <string>

#include "base/uText.h"

namespace qlm {

namespace {

// The position of the "]" that closes the set opening at mask[open], or npos
// when the set never closes.
std::size_t SetEnd(std::string_view mask, std::size_t open) {
  std::size_t pos = open + 1;
  if (pos < mask.size() && mask[pos] == '!') ++pos;
  if (pos < mask.size() && mask[pos] == ']') ++pos;
  return mask.find(']', pos);
}

bool SetsClose(std::string_view mask) {
  for (std::size_t pos = mask.find('['); pos != std::string_view::npos;
       pos = mask.find('[', pos + 1)) {
    pos = SetEnd(mask, pos);
    if (pos == std::string_view::npos) return false;
  }
  return true;
}

// Whether c (lower case) is in the set mask[open..close].
bool InSet(std::string_view mask, std::size_t open, std::size_t close, char c) {
  std::size_t pos = open + 1;
  const bool negated = mask[pos] == '!';
  if (negated) ++pos;
  const auto u = static_cast<unsigned char>(c);
  bool found = false;
  while (pos < close && !found) {
    const auto first = static_cast<unsigned char>(LowerChar(mask[pos]));
    if (pos + 2 < close && mask[pos + 1] == '-') {
      const auto last = static_cast<unsigned char>(LowerChar(mask[pos + 2]));
      found = u >= first && u <= last;
      pos += 3;
    } else {
      found = u == first;
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

// The match of a mask whose sets all close; greedy, returning to the last
// "*" on a mismatch, which is enough for a whole-text match.
bool MatchParsed(std::string_view text, std::string_view mask) {
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

}  // namespace

bool HasMaskCharacters(std::string_view text) {
  return text.find_first_of("*?[") != std::string_view::npos;
}

bool MatchesFileMask(std::string_view text, std::string_view mask) {
  if (!SetsClose(mask)) {
    throw EMaskError("Invalid mask \"" + std::string(mask) + "\": unclosed set");
  }
  return MatchParsed(text, mask);
}

bool MatchesMask(std::string_view text, std::string_view mask) {
  return SetsClose(mask) && MatchParsed(text, mask);
}

bool MatchesAnyMask(std::string_view text, const TStringList* masks) {
  if (masks == nullptr) return false;
  for (const std::string& mask : masks->Items) {
    if (MatchesFileMask(text, mask)) return true;
  }
  return false;
}

}  // namespace qlm
