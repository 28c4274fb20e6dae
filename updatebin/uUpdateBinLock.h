// One update.bin per program folder at a time: two would take the same
// waiting files from each other and report as failed what the other one
// installed.
#pragma once

#include <windows.h>

#include <string>

#include "base/uHandles.h"

namespace qlm::updatebin {

inline constexpr char UPDATE_BIN_BUSY[] =
    "Another update.bin is already finishing the update of this program. "
    "Use its window; this one closes.";

// False when another update.bin of the folder runs. Otherwise `lock` holds
// the folder's mutex for the rest of the run; a system that cannot make one
// at all gets its update unguarded rather than not at all.
bool AcquireUpdateBinLock(const std::string& programFolder, THandle& lock);

}  // namespace qlm::updatebin
