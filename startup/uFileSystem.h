// Existence tests on paths, read once from the file's attributes.
#pragma once

#include <string>

bool PathExists(const std::string& path);
bool IsExistingFile(const std::string& path);
bool IsExistingFolder(const std::string& path);
// A junction or symbolic link (which the program never walks through).
bool IsReparsePoint(const std::string& path);
