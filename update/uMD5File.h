// The MD5 digest of a whole file.
#pragma once

#include <string>

#include "update/uMD5.h"

namespace qlm {

// Digests the file through a read-only mapping, in one pass. A file that
// cannot be opened or mapped (an empty file cannot be) gives the digest of
// empty input; no error is reported.
void MD5File(const std::string& path, TMD5Digest& digest);

}  // namespace qlm
