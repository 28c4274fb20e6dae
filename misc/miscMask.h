// Wildcard masks on a whole text, case ignored: "*" any run (also none), "?"
// one character, "[...]" one character of a set of characters and ranges,
// "[!...]" one character outside it. Free of Windows headers.
#pragma once

#include <string_view>

// "*", "?" or "[": the text is a mask rather than a plain name.
bool HasMaskCharacters(std::string_view text);

// False also for a mask that cannot be parsed (an unclosed set).
bool MatchesMask(std::string_view text, std::string_view mask);
