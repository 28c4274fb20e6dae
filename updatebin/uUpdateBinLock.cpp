#include "updatebin/uUpdateBinLock.h"

#include <vector>

namespace qlm::updatebin {

namespace {

// Mutex names take no backslash and tell letter cases apart, while folder
// names do neither.
std::string LockName(const std::string& programFolder) {
  std::vector<char> folder(programFolder.begin(), programFolder.end());
  folder.push_back('\0');
  ::CharLowerA(folder.data());
  std::string name = "QuillmerePro.UpdateBin.";
  for (const char* c = folder.data(); *c != '\0'; ++c) name += *c == '\\' ? '/' : *c;
  return name;
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
