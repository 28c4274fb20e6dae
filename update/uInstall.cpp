#include "update/uInstall.h"

#include <windows.h>

#include "base/uAtomicReplace.h"
#include "startup/uTrace.h"
#include "update/uCatalogue.h"
#include "update/uFileTable.h"
#include "update/uUpdateSignature.h"

namespace qlm {

namespace {

// Why the unpacked file is not the one the entry offered, or empty when it
// is. The version is compared only where the file carries one: a file time
// changes with every copy.
std::string Mismatch(const TUpdateRecordEx& entry, const std::string& unpacked) {
  if (!HasFileSize(unpacked, entry.Size)) return "its size is not the offered one";
  if (entry.Stamp.Kind != STAMP_FILE_VERSION && entry.Stamp.Kind != STAMP_TEXT_VERSION) return "";
  if (ReadInstalledStamp(unpacked).Value != entry.Stamp.Value) {
    return "its version is not the offered one";
  }
  return "";
}

// Verifies the signature of the entry's archive, unpacks it and keeps the
// unpacked file only when it is the entry's; logs why it refuses.
bool UnpackOffered(const TUpdateRecordEx& entry, const std::string& downloadFolder,
                   TCompression& compression) {
  const TFileInfo& row = FileInfo(entry.FileId);
  const std::string archive = downloadFolder + row.ArchiveName;
  if (!VerifyUpdateSignature(archive)) return false;
  if (!compression.UnpackArchive(archive, downloadFolder, row.FileName)) {
    Log(LVL_ERROR, std::string("Update: digest mismatch for ") + row.FileName);
    return false;
  }
  const std::string unpacked = downloadFolder + row.FileName;
  const std::string why = Mismatch(entry, unpacked);
  if (why.empty()) return true;
  Log(LVL_ERROR, std::string("Update: ") + row.FileName + " refused: " + why);
  ::DeleteFileA(unpacked.c_str());
  return false;
}

}  // namespace

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
  DeleteSignedFile(downloadFolder + row.ArchiveName);
  Log(LVL_INFO, std::string("Update: installed ") + row.FileName);
  return UPDATE_IMAGE_DONE;
}

int InstallEntry(const TUpdateRecordEx& entry, const std::string& downloadFolder,
                 const std::string& programFolder, TCompression& compression,
                 TInstallState& state) {
  try {
    if (UnpackOffered(entry, downloadFolder, compression)) {
      return InstallFile(entry.FileId, downloadFolder, programFolder, state);
    }
  } catch (const std::exception& e) {
    Log(LVL_ERROR, std::string("Update: ") + e.what());
  }
  state.InstallFailed = true;
  return UPDATE_IMAGE_FAILED;
}

}  // namespace qlm
