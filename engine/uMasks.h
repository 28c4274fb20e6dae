// File-name masks: "*" any run of characters (also none), "?" exactly one
// character, "[...]" one character out of single characters and ranges
// ("a-z"), negated by "!" right after the bracket. Every other character
// stands for itself, the dot included. A mask matches the whole text, case
// ignored (ASCII and the Latin-1 letters of the Western code page). Free of
// Windows headers.
#pragma once

#include <optional>
#include <stdexcept>
#include <string_view>

#include "engine/uStringList.h"

// Raised for a mask that cannot be parsed (an unclosed set).
class EMaskError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

bool MatchesFileMask(std::string_view text, std::string_view mask);

// False for no list; otherwise whether some entry matches, in order.
bool MatchesAnyMask(std::string_view text, const TStringList* masks);
inline bool MatchesAnyMask(std::string_view text, const std::optional<TStringList>& masks) {
  return MatchesAnyMask(text, masks ? &*masks : nullptr);
}

// The single-byte lower case the masks and folder keys use.
char LowerChar(char c);
std::string LowerText(std::string_view text);
