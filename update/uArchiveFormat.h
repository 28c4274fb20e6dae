// The update archive: N (8 bytes), the file name (N bytes), S (8 bytes), the
// MD5 digest of the packed file (16 bytes), then one zlib stream to the end.
// Little-endian. Free of Windows headers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "update/uMD5.h"

namespace qlm {

inline constexpr std::int64_t ARCHIVE_MAX_NAME = 255;
// No program file comes near it; anything bigger is damage or mischief.
inline constexpr std::int64_t ARCHIVE_MAX_SIZE = 256LL * 1024 * 1024;

struct TArchiveHeader {
  std::string FileName;
  std::int64_t Size = 0;
  TMD5Digest Digest{};
};

// One plain file name: not empty, no folder or drive, not "." or "..", no
// character that Windows refuses in a name.
bool IsPlainFileName(std::string_view name);

// Why the archive must not be unpacked as `expectedName` (the file table's
// name), or empty when it may: the stored name must be that name (case
// ignored) and S must lie in 1 to 256 MiB.
std::string CheckArchiveHeader(const TArchiveHeader& header, std::string_view expectedName);

}  // namespace qlm
