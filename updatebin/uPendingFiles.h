// The program files that the update left in the download folder because the
// running program held them: the executable and its three libraries.
#pragma once

#include <string>
#include <vector>

namespace qlm::updatebin {

enum class TPendingOutcome {
  Installed,
  CheckFailed,  // no valid signature of its archive, or the file does not match
                // the archive's digest: not copied
  Older,        // a lower version than the installed file: not copied
  CopyFailed,   // the old file is kept
};

struct TPendingResult {
  std::string FileName;
  TPendingOutcome Outcome;
};

// Puts every waiting file from programFolder + "updates\" into the program
// folder, each only after its archive's signature and its digest have been
// checked again and never over a newer version; installed files, their
// archives and signatures leave the download folder.
// Rows with no waiting file are not listed.
std::vector<TPendingResult> InstallPendingFiles(const std::string& programFolder);

// One line of the report, e.g. "quillmere.exe: installed".
std::string PendingResultText(const TPendingResult& result);

}  // namespace qlm::updatebin
