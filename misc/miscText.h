// Texts as the slots hand them out: the buffer contract of the record.
// Free of Windows headers.
#pragma once

#include <string>
#include <string_view>

namespace qlm::misc {

// Copies text and its terminating zero into buffer and reports its length.
// False, leaving the buffer alone, when an argument is missing or the text
// with its zero does not fit size.
bool PutText(std::string_view text, char* buffer, int size, int* outLength);

// The text of a slot argument; empty for a null pointer.
std::string_view ArgText(const char* text);

}  // namespace qlm::misc
