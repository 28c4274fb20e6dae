// The program files that the update left in the download folder because the
// running program held them: the executable and its three libraries.
#pragma once

#include <string>
#include <vector>

namespace qlm::updatebin {

enum class TPendingOutcome {
  Installed,
  CheckFailed,  // the file does not match its archive's digest: not copied
  CopyFailed,   // the old file is kept
};

struct TPendingResult {
  std::string FileName;
  TPendingOutcome Outcome;
};

// Puts every waiting file from programFolder + "updates\" into the program
// folder, each only after its digest has been checked again against its
// archive; installed files and their archives leave the download folder.
// Rows with no waiting file are not listed.
std::vector<TPendingResult> InstallPendingFiles(const std::string& programFolder);

// One line of the report, e.g. "quillmere.exe: installed".
std::string PendingResultText(const TPendingResult& result);

}  // namespace qlm::updatebin
