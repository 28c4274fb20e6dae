#include "base/uAtomicReplace.h"

#include <windows.h>

#include <algorithm>

#include "base/uHandles.h"

namespace qlm {

namespace {

constexpr int kMoveTries = 5;
constexpr DWORD kMovePauseMs = 200;
constexpr std::size_t kChunk = 1 << 20;

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kChunk));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written != chunk)
      return false;
    bytes.remove_prefix(written);
  }
  return ::FlushFileBuffers(file) != FALSE;
}

// A file that somebody merely glanced at (a virus scanner, an index
// service) is free again a moment later; one that stays held is not. A
// read-only target stays as it is: Windows refuses to replace it, and a
// file system that would let the rename through must not either.
bool MoveOverTarget(const std::string& staged, const std::string& target) {
  const DWORD attributes = ::GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return false;
  }
  for (int attempt = 1;; ++attempt) {
    if (::MoveFileExA(staged.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    const DWORD error = ::GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                      error == ERROR_LOCK_VIOLATION;
    if (!held || attempt == kMoveTries) return false;
    ::Sleep(kMovePauseMs);
  }
}

bool WriteStaged(const std::string& staged, std::string_view bytes) {
  TFileHandle file(::CreateFileA(staged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && WriteAll(file.Get(), bytes);
}

// Moves the staged file over the target; the staged file never stays behind.
bool CommitStaged(bool staged, const std::string& stagedName, const std::string& target) {
  if (staged && MoveOverTarget(stagedName, target)) return true;
  ::DeleteFileA(stagedName.c_str());
  return false;
}

}  // namespace

std::string StagedName(const std::string& target) { return target + ".tmp"; }

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string staged = StagedName(path);
  return CommitStaged(WriteStaged(staged, bytes), staged, path);
}

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  const std::string staged = StagedName(target);
  return CommitStaged(::CopyFileA(source.c_str(), staged.c_str(), FALSE) != FALSE, staged, target);
}

}  // namespace qlm
