// The fixed table of the program files that the update site can deliver.
// The row number is the file identifier of the update list. Free of Windows
// headers.
#pragma once

#include <cstdint>

namespace qlm {

struct TFileInfo {
  const char* FileName;
  const char* ArchiveName;  // its archive on the update site
  const char* Folder;       // below the program folder, empty or ending in '\'
  const char* NotesName;    // nothing reads it
};

inline constexpr int FILE_TABLE_FIRST = 1;
inline constexpr int FILE_TABLE_LAST = 15;

// The row of an identifier; throws std::out_of_range outside 1 to 15.
const TFileInfo& FileInfo(std::int64_t id);

// The program's executable and its three libraries are held open while it
// runs: their new copies wait for update.bin.
bool InstalledAfterRestart(std::int64_t id);

}  // namespace qlm
