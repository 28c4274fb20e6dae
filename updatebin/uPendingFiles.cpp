#include "updatebin/uPendingFiles.h"

#include <windows.h>

#include "base/uAtomicReplace.h"
#include "update/uCompress.h"
#include "update/uFileTable.h"
#include "update/uInstall.h"
#include "update/uMD5File.h"

namespace qlm::updatebin {

namespace {

bool HasSize(const std::string& path, std::int64_t size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  const std::uint64_t actual =
      (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return actual == static_cast<std::uint64_t>(size);
}

// The unpacked file is the one its archive describes: same name, the stated
// size and the same digest. The size counts on its own: an empty or
// unreadable file digests as empty input, which an archive may well state.
bool MatchesItsArchive(const TFileInfo& row, const std::string& downloads) {
  try {
    const TArchiveHeader header = ReadArchiveHeader(downloads + row.ArchiveName);
    if (!CheckArchiveHeader(header, row.FileName).empty()) return false;
    if (!HasSize(downloads + row.FileName, header.Size)) return false;
    TMD5Digest digest;
    MD5File(downloads + row.FileName, digest);
    return digest == header.Digest;
  } catch (const EUnpackError&) {
    return false;
  }
}

}  // namespace

std::vector<TPendingResult> InstallPendingFiles(const std::string& programFolder) {
  const std::string downloads = programFolder + "updates\\";
  std::vector<TPendingResult> results;
  for (std::int64_t id = FILE_TABLE_FIRST; id <= FILE_TABLE_LAST; ++id) {
    if (!InstalledAfterRestart(id)) continue;
    const TFileInfo& row = FileInfo(id);
    const std::string unpacked = downloads + row.FileName;
    if (!IsExistingFile(unpacked)) continue;
    if (!MatchesItsArchive(row, downloads)) {
      results.push_back({row.FileName, TPendingOutcome::CheckFailed});
    } else if (!ReplaceFileWith(unpacked, programFolder + row.FileName)) {
      results.push_back({row.FileName, TPendingOutcome::CopyFailed});
    } else {
      ::DeleteFileA(unpacked.c_str());
      ::DeleteFileA((downloads + row.ArchiveName).c_str());
      results.push_back({row.FileName, TPendingOutcome::Installed});
    }
  }
  return results;
}

std::string PendingResultText(const TPendingResult& result) {
  switch (result.Outcome) {
    case TPendingOutcome::Installed:
      return result.FileName + ": installed";
    case TPendingOutcome::CheckFailed:
      return result.FileName + ": does not match its archive, not installed";
    default:
      return result.FileName + ": could not be copied, the old file is kept";
  }
}

}  // namespace qlm::updatebin
