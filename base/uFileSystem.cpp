#include "base/uFileSystem.h"

#include <windows.h>

namespace qlm {

namespace {

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

}  // namespace

bool PathExists(const std::string& path) { return AttributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool IsExistingFile(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFolder(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsReparsePoint(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool HasFileSize(const std::string& path, std::int64_t size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return false;
  }
  const std::uint64_t actual =
      (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return actual == static_cast<std::uint64_t>(size);
}

bool PathGone(const std::string& path) {
  if (AttributesOf(path) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool ForceFolders(const std::string& path) {
  std::string folder = path;
  while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  if (folder.empty() || IsExistingFolder(folder)) return !folder.empty();
  const std::size_t parent = folder.find_last_of("\\/");
  // The parent is strictly shorter, so the walk up always ends.
  if (parent != std::string::npos && parent > 0 && parent + 1 < folder.size() &&
      !ForceFolders(folder.substr(0, parent + 1))) {
    return false;
  }
  // Another process may make the folder between the test and the call.
  return ::CreateDirectoryA(folder.c_str(), nullptr) != 0 || IsExistingFolder(folder);
}

}  // namespace qlm
