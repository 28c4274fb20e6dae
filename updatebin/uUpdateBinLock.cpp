#include "updatebin/uUpdateBinLock.h"

#include <algorithm>

#include "base/uText.h"

namespace qlm::updatebin {

namespace {

// Mutex names take no backslash and tell letter cases apart, while folder
// names do neither.
std::string LockName(const std::string& programFolder) {
  std::string folder = LowerText(programFolder);
  std::replace(folder.begin(), folder.end(), '\\', '/');
  return "QuillmerePro.UpdateBin." + folder;
}

}  // namespace

bool AcquireUpdateBinLock(const std::string& programFolder, THandle& lock) {
  lock.Reset(::CreateMutexA(nullptr, FALSE, LockName(programFolder).c_str()));
  if (lock && ::GetLastError() == ERROR_ALREADY_EXISTS) {
    lock.Reset();
    return false;
  }
  return true;
}

}  // namespace qlm::updatebin
