// The parts and spellings of path texts. Free of Windows headers.
#pragma once

#include <string>
#include <string_view>

namespace qlm {

// The folder part of a path, with its trailing delimiter ("C:\\a\\" for
// "C:\\a\\f.txt"); empty when the path has no folder.
std::string FolderOf(std::string_view path);
// The name after the last delimiter.
std::string NameOf(std::string_view path);
// The folder with one trailing backslash; an empty text stays empty, so that
// it never becomes the root of the current drive.
std::string WithBackslash(std::string_view folder);
// Trailing backslashes taken off, except the one of a drive root ("C:\\") and
// a lone backslash.
std::string WithoutTrailingBackslash(std::string_view path);

// "Projects\Old\report.txt" for "C:\Data\Projects\Old\report.txt": two
// folder levels and the file name; a missing level stays an empty name.
std::string ShortPath(std::string_view path);

}  // namespace qlm
