#include "base/uExecutable.h"

#include <windows.h>

#include "base/uPathText.h"

namespace qlm {

namespace {

std::string ReadExecutablePath() {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

}  // namespace

const std::string& ExecutablePath() {
  static const std::string path = ReadExecutablePath();
  return path;
}

std::string ExecutableFolder() { return FolderOf(ExecutablePath()); }

}  // namespace qlm
