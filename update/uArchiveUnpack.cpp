#include "update/uArchiveUnpack.h"

#include <zlib.h>

#include <cstring>
#include <vector>

namespace qlm {

namespace {

constexpr std::size_t CHUNK = 64 * 1024;

// Reads exactly `size` bytes; a short archive raises an error.
void ReadExactly(TArchiveSource& source, void* buffer, std::size_t size,
                 const std::string& archivePath) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (size > 0) {
    const std::size_t read = source.Read(bytes, size);
    if (read == 0) throw EUnpackError("The archive is shorter than its header says: " + archivePath);
    bytes += read;
    size -= read;
  }
}

std::int64_t ReadInt64(TArchiveSource& source, const std::string& archivePath) {
  unsigned char bytes[8];
  ReadExactly(source, bytes, sizeof bytes, archivePath);
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | bytes[i];
  return static_cast<std::int64_t>(value);
}

// Ends the inflate stream on every path.
class TInflater {
 public:
  TInflater() {
    std::memset(&fStream, 0, sizeof fStream);
    if (::inflateInit(&fStream) != Z_OK) throw EUnpackError("Cannot start the inflation");
  }
  ~TInflater() { ::inflateEnd(&fStream); }
  TInflater(const TInflater&) = delete;
  TInflater& operator=(const TInflater&) = delete;
  z_stream& Stream() { return fStream; }

 private:
  z_stream fStream;
};

}  // namespace

TArchiveHeader ReadArchiveHeader(TArchiveSource& source, const std::string& archivePath) {
  TArchiveHeader header;
  const std::int64_t nameLength = ReadInt64(source, archivePath);
  if (nameLength <= 0 || nameLength > ARCHIVE_MAX_NAME) {
    throw EUnpackError("The archive's name length is out of range: " + archivePath);
  }
  header.FileName.resize(static_cast<std::size_t>(nameLength));
  ReadExactly(source, header.FileName.data(), header.FileName.size(), archivePath);
  header.Size = ReadInt64(source, archivePath);
  ReadExactly(source, header.Digest.data(), header.Digest.size(), archivePath);
  return header;
}

void InflateArchive(TArchiveSource& source, const TArchiveSink& sink, std::int64_t size,
                    const std::string& archivePath) {
  TInflater inflater;
  z_stream& stream = inflater.Stream();
  std::vector<unsigned char> input(CHUNK);
  std::vector<unsigned char> output(CHUNK);
  std::int64_t total = 0;
  int status = Z_OK;
  while (status != Z_STREAM_END) {
    if (stream.avail_in == 0) {
      const std::size_t read = source.Read(input.data(), CHUNK);
      if (read == 0) throw EUnpackError("The archive's data ends early: " + archivePath);
      stream.next_in = input.data();
      stream.avail_in = static_cast<uInt>(read);
    }
    stream.next_out = output.data();
    stream.avail_out = CHUNK;
    status = ::inflate(&stream, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
      throw EUnpackError("The archive's data is corrupt: " + archivePath);
    }
    const std::size_t produced = CHUNK - stream.avail_out;
    if (total + static_cast<std::int64_t>(produced) > size) {
      throw EUnpackError("The archive holds more than its stated size: " + archivePath);
    }
    if (produced > 0) sink(output.data(), produced);
    total += static_cast<std::int64_t>(produced);
  }
  if (total != size) throw EUnpackError("The archive holds less than its stated size: " + archivePath);
  unsigned char after = 0;
  if (stream.avail_in != 0 || source.Read(&after, 1) != 0) {
    throw EUnpackError("The archive holds data after its stream: " + archivePath);
  }
}

}  // namespace qlm
