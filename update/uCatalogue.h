// The update catalogue: the entries of the downloaded update list that are
// newer than the installed program files.
#pragma once

#include <string>
#include <vector>

#include "update/uUpdateList.h"
#include "update/uVersionStamp.h"

namespace qlm {

// The stamp of an installed file: its file version when it has a version
// resource, the version line of a ".lng", ".def" or ".script" file, else its
// last-write time. A missing file has value 0, so that every entry for it is
// newer; a text file that exists but cannot be read raises std::runtime_error.
TVersionStamp ReadInstalledStamp(const std::string& path);

// Whether the entry's stamp value is above that of the installed copy of its
// file (program folder + the row's folder + its file name). Raises
// std::out_of_range for an identifier outside the file table.
bool IsNewer(const TUpdateRecordEx& entry, const std::string& programFolder);

enum class TCatalogueOutcome {
  NotValid,   // no valid signature, wrong magic or format version, or a list
              // for another kind of program; the list file and its signature
              // are deleted
  Failed,     // an error ended the reading; the entries offered before it stay
  NoUpdates,  // nothing newer; the list file and its signature are deleted
  Offered,    // newer entries; the list file stays for the installation
};

struct TCatalogue {
  TCatalogueOutcome Outcome = TCatalogueOutcome::NotValid;
  std::vector<TUpdateRecordEx> Entries;  // the newer ones, in list order
  std::string Error;
};

// Reads the downloaded list, once its signature (listPath + ".sig") has been
// verified, and keeps its newer entries. An entry is never older than the
// installed file, so replaying an old signed list installs nothing.
TCatalogue ReadCatalogue(const std::string& listPath, const std::string& programFolder);

}  // namespace qlm
