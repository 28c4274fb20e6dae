#include "updatebin/uPendingFiles.h"

#include <windows.h>

#include "base/uAtomicReplace.h"
#include "update/uCatalogue.h"
#include "update/uCompress.h"
#include "update/uFileTable.h"
#include "update/uInstall.h"
#include "update/uMD5File.h"
#include "update/uUpdateSignature.h"

namespace qlm::updatebin {

namespace {

// The unpacked file is the one its archive describes: the archive carries
// the publisher's signature, and the file has the stored name, the stated
// size and the same digest. The size counts on its own: an empty or
// unreadable file digests as empty input, which an archive may well state.
bool MatchesItsArchive(const TFileInfo& row, const std::string& downloads) {
  try {
    if (!VerifyUpdateSignature(downloads + row.ArchiveName)) return false;
    const TArchiveHeader header = ReadArchiveHeader(downloads + row.ArchiveName);
    if (!CheckArchiveHeader(header, row.FileName).empty()) return false;
    if (!HasFileSize(downloads + row.FileName, header.Size)) return false;
    TMD5Digest digest;
    MD5File(downloads + row.FileName, digest);
    return digest == header.Digest;
  } catch (const EUnpackError&) {
    return false;
  }
}

// A waiting file of a lower version than the installed one, both carrying a
// version of the same kind. File times are not compared: they change with
// every copy.
bool IsDowngrade(const std::string& waiting, const std::string& installed) {
  const TVersionStamp next = ReadInstalledStamp(waiting);
  const TVersionStamp now = ReadInstalledStamp(installed);
  return next.Kind != STAMP_FILE_TIME && next.Kind == now.Kind && next.Value < now.Value;
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
    } else if (IsDowngrade(unpacked, programFolder + row.FileName)) {
      results.push_back({row.FileName, TPendingOutcome::Older});
    } else if (!ReplaceFileWith(unpacked, programFolder + row.FileName)) {
      results.push_back({row.FileName, TPendingOutcome::CopyFailed});
    } else {
      ::DeleteFileA(unpacked.c_str());
      DeleteSignedFile(downloads + row.ArchiveName);
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
    case TPendingOutcome::Older:
      return result.FileName + ": older than the installed file, not installed";
    default:
      return result.FileName + ": could not be copied, the old file is kept";
  }
}

}  // namespace qlm::updatebin
