// The relation of two folders, compared by their path components.
// Free of Windows headers.
#pragma once

#include <string_view>

namespace qlm {

inline constexpr int FOLDER_SAME = 0;
inline constexpr int FOLDER_INSIDE = -1;   // a lies inside b
inline constexpr int FOLDER_CONTAINS = 1;  // b lies inside a
inline constexpr int FOLDER_UNRELATED = 2;
inline constexpr int FOLDER_UNDETERMINED = 255;

// Case (as LowerChar folds it) and slash direction are ignored; empty
// components (a trailing, doubled or leading backslash) add nothing. Two
// empty paths are the same folder, one empty path is unrelated to any other,
// and a path without components leaves the relation undetermined.
int FolderRelation(std::string_view a, std::string_view b);

}  // namespace qlm
