// The relation of two folders, on their texts alone. Free of Windows headers.
#pragma once

#include <string_view>

inline constexpr int RELATION_SAME = 0;
inline constexpr int RELATION_A_INSIDE_B = -1;
inline constexpr int RELATION_B_INSIDE_A = 1;
inline constexpr int RELATION_UNRELATED = 2;
inline constexpr int RELATION_UNDETERMINED = 255;

// Case and slash direction are ignored; empty components (a leading,
// trailing or doubled backslash) add nothing. Two empty texts are the same
// folder, one empty text is unrelated to anything, and a text without any
// component (a lone backslash) cannot be placed: undetermined.
int FolderRelation(std::string_view a, std::string_view b);
