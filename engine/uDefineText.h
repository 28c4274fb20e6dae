// The text of the definition files: lines and the version section. Free of
// Windows headers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qlm {

// The lines of a file's text: CR LF, a lone CR or a lone LF ends a line; a
// final line end gives no empty last line. Lines are taken unchanged.
std::vector<std::string> TextLines(std::string_view text);

// The name of the first section of an INI text: the first line that, with
// surrounding blanks removed, begins with "[" and ends with "]" (a line
// beginning with ";" is a comment); the name is the text between, blanks
// removed. Empty when there is none.
std::string FirstSectionName(std::string_view text);

}  // namespace qlm
