// The reading of an update archive from any source of bytes: its header and
// its zlib stream, inflated into a sink. Free of Windows headers; the files
// on disk are in uCompress.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "update/uArchiveFormat.h"

namespace qlm {

// A damaged, short or refused archive, or a file that cannot be written.
class EUnpackError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The archive's bytes in order. Read gives up to `size` bytes, 0 only at the
// end, and raises EUnpackError when the source cannot be read.
class TArchiveSource {
 public:
  virtual ~TArchiveSource() = default;
  virtual std::size_t Read(void* buffer, std::size_t size) = 0;
};

// Takes each piece of the unpacked file in order.
using TArchiveSink = std::function<void(const unsigned char* data, std::size_t size)>;

// The fixed fields; raises EUnpackError for a name length out of range or a
// source that ends inside them. `archivePath` only names the archive in the
// errors.
TArchiveHeader ReadArchiveHeader(TArchiveSource& source, const std::string& archivePath);

// Inflates the rest of the source into the sink: exactly `size` bytes, and
// the zlib stream must end the archive. The sink never receives more than
// `size` bytes in all.
void InflateArchive(TArchiveSource& source, const TArchiveSink& sink, std::int64_t size,
                    const std::string& archivePath);

}  // namespace qlm
