// Where the program's own libraries come from: its folder, by full path, and
// nowhere a planted copy could be found first.
#pragma once

#include <string>

namespace qlm {

// The library file in the program's folder for a bare name; a path with a
// folder stays as it is. Empty when the program's folder is unknown, so that
// a bare name never reaches the system's library search.
std::string ProgramLibraryPath(const std::string& libraryFile);

// Limits the library search of the process to the system folder and the
// program's folder, or at least leaves the current folder out. False when the
// system offers neither; loading by full path is the defence left then.
bool RestrictLibrarySearch();

}  // namespace qlm
