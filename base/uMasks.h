// File-name masks: "*" any run of characters (also none), "?" exactly one
// character, "[...]" one character out of single characters and ranges
// ("a-z", compared as unsigned bytes), negated by "!" right after the
// bracket; a "]" first in a set stands for itself. Every other character
// stands for itself, the dot included. A mask matches the whole text, case
// ignored as LowerChar folds it. Free of Windows headers.
#pragma once

#include <optional>
#include <stdexcept>
#include <string_view>

#include "base/uStringList.h"

namespace qlm {

// Raised for a mask that cannot be parsed (an unclosed set).
class EMaskError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// "*", "?" or "[": the text is a mask rather than a plain name.
bool HasMaskCharacters(std::string_view text);

// Raises EMaskError for a mask that cannot be parsed, whatever the text.
bool MatchesFileMask(std::string_view text, std::string_view mask);
// The same match; false for a mask that cannot be parsed.
bool MatchesMask(std::string_view text, std::string_view mask);

// False for no list; otherwise whether some entry matches, in order.
bool MatchesAnyMask(std::string_view text, const TStringList* masks);
inline bool MatchesAnyMask(std::string_view text, const std::optional<TStringList>& masks) {
  return MatchesAnyMask(text, masks ? &*masks : nullptr);
}

}  // namespace qlm
