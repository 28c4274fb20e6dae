// Single-byte texts in the Western code page: lower case, comparison with case
// ignored, splitting. Free of Windows headers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qlm {

// Lower case of ASCII and of the Latin-1 capitals (the multiplication sign is
// no letter); every other byte stays as it is.
char LowerChar(char c);
std::string LowerText(std::string_view text);

bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// Puts the value in place of the first occurrence of the placeholder (a
// language text's "%d" or "%s": such a text is never used as a format);
// false when the text holds none.
bool FillPlaceholder(std::string& text, std::string_view placeholder, std::string_view value);

// A whole decimal integer, with an optional sign and blanks around it;
// none for any other text or a value outside int.
std::optional<int> ParseDecimal(std::string_view text);

// The parts of a text between its delimiters; n delimiters give n + 1 parts.
std::vector<std::string_view> SplitAt(std::string_view text, char delimiter);

}  // namespace qlm
