#include "update/uInstall.h"

#include <windows.h>

#include "base/uAtomicReplace.h"
#include "startup/uTrace.h"
#include "update/uFileTable.h"

namespace qlm {

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

}  // namespace qlm
