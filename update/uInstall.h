// Putting unpacked update files into place.
#pragma once

#include <cstdint>
#include <string>

#include "base/uFileSystem.h"
#include "update/uCompress.h"
#include "update/uUpdateList.h"

namespace qlm {

// The images of a line of the update list.
inline constexpr int UPDATE_IMAGE_FAILED = 0;
inline constexpr int UPDATE_IMAGE_DONE = 1;
inline constexpr int UPDATE_IMAGE_RESTART = 2;
inline constexpr int UPDATE_IMAGE_DOWNLOADING = 3;
inline constexpr int UPDATE_IMAGE_UNPACK_FIRST = 4;
inline constexpr int UPDATE_IMAGE_UNPACK_LAST = 7;

struct TInstallState {
  bool NeedRestart = false;
  bool InstallFailed = false;
};

// Installs the unpacked file of a row from the download folder; returns the
// line's image. The executable and its libraries wait in the download folder
// for update.bin (UPDATE_IMAGE_RESTART, NeedRestart). Every other file is
// copied to the program folder + the row's folder, and its unpacked file,
// archive and the archive's signature are then deleted (UPDATE_IMAGE_DONE);
// a failed copy keeps them (UPDATE_IMAGE_FAILED, InstallFailed).
int InstallFile(std::int64_t id, const std::string& downloadFolder,
                const std::string& programFolder, TInstallState& state);

// Verifies the signature of the entry's archive in the download folder,
// unpacks it, checks that the unpacked file is the one the entry offered
// (its size, and its version for a versioned file, so that an older signed
// archive cannot stand in for a newer entry) and installs it. Any failure (a
// missing, unsigned or damaged archive, a wrong digest, another file than
// the entry's, a failed copy) gives UPDATE_IMAGE_FAILED, sets InstallFailed
// and changes nothing under the program folder.
int InstallEntry(const TUpdateRecordEx& entry, const std::string& downloadFolder,
                 const std::string& programFolder, TCompression& compression,
                 TInstallState& state);

}  // namespace qlm
