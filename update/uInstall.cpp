#include "update/uInstall.h"

#include <windows.h>

#include "startup/uTrace.h"
#include "update/uFileTable.h"

namespace {

constexpr int REPLACE_TRIES = 5;
constexpr DWORD REPLACE_PAUSE_MS = 200;

// A file that somebody merely glanced at (a virus scanner, an index
// service) is free again a moment later; one that stays held is not.
bool MoveOverTarget(const std::string& staged, const std::string& target) {
  for (int attempt = 1;; ++attempt) {
    if (::MoveFileExA(staged.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD error = ::GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                      error == ERROR_LOCK_VIOLATION;
    if (!held || attempt == REPLACE_TRIES) return false;
    ::Sleep(REPLACE_PAUSE_MS);
  }
}

}  // namespace

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  // The copy lands beside the target first, so that the old file is only
  // replaced by a whole new one.
  const std::string staged = target + ".new";
  if (!::CopyFileA(source.c_str(), staged.c_str(), FALSE)) return false;
  if (!MoveOverTarget(staged, target)) {
    ::DeleteFileA(staged.c_str());
    return false;
  }
  return true;
}

int InstallFile(std::int64_t id, const std::string& downloadFolder,
                const std::string& programFolder, TInstallState& state) {
  const TFileInfo& row = FileInfo(id);
  if (InstalledAfterRestart(id)) {
    state.NeedRestart = true;
    return UPDATE_IMAGE_RESTART;
  }
  const std::string unpacked = downloadFolder + row.FileName;
  const std::string folder = programFolder + row.Folder;
  // A subfolder that the user removed is made again.
  if (folder != programFolder) ::CreateDirectoryA(folder.c_str(), nullptr);
  if (!ReplaceFileWith(unpacked, folder + row.FileName)) {
    Log(LVL_ERROR, std::string("Update: cannot install ") + row.FileName);
    state.InstallFailed = true;
    return UPDATE_IMAGE_FAILED;
  }
  ::DeleteFileA(unpacked.c_str());
  ::DeleteFileA((downloadFolder + row.ArchiveName).c_str());
  Log(LVL_INFO, std::string("Update: installed ") + row.FileName);
  return UPDATE_IMAGE_DONE;
}

int InstallEntry(std::int64_t id, const std::string& downloadFolder,
                 const std::string& programFolder, TCompression& compression,
                 TInstallState& state) {
  try {
    const TFileInfo& row = FileInfo(id);
    if (compression.UnpackArchive(downloadFolder + row.ArchiveName, downloadFolder,
                                  row.FileName)) {
      return InstallFile(id, downloadFolder, programFolder, state);
    }
    Log(LVL_ERROR, std::string("Update: digest mismatch for ") + row.FileName);
  } catch (const std::exception& e) {
    Log(LVL_ERROR, std::string("Update: ") + e.what());
  }
  state.InstallFailed = true;
  return UPDATE_IMAGE_FAILED;
}
