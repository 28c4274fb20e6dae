// Existence tests on paths, each read once from the path's attributes.
#pragma once

#include <cstdint>
#include <string>

namespace qlm {

bool PathExists(const std::string& path);
bool IsExistingFile(const std::string& path);
bool IsExistingFolder(const std::string& path);
// A junction or symbolic link (which the program never walks through).
bool IsReparsePoint(const std::string& path);
// A plain file of exactly this many bytes.
bool HasFileSize(const std::string& path, std::int64_t size);
// True when nothing (file or folder) is at path any more; false also when the
// path cannot be examined.
bool PathGone(const std::string& path);
// Creates a folder with every missing parent; true when it exists after.
bool ForceFolders(const std::string& path);

}  // namespace qlm
