// Update archives: the header and the zlib stream read through the
// program's own reader, in pieces as a file gives them. An archive that
// unpacks gives exactly its stated size; its digest taken piece by piece is
// the digest of the whole file.
#include <algorithm>
#include <cstring>
#include <string>

#include "fuzz/uFuzzCheck.h"
#include "update/uArchiveUnpack.h"
#include "update/uMD5.h"

using namespace qlm;

namespace {

// The input as the archive file, read in pieces of an odd size so that the
// fields straddle them.
class TMemorySource : public TArchiveSource {
 public:
  explicit TMemorySource(std::string_view bytes) : fBytes(bytes) {}
  std::size_t Read(void* buffer, std::size_t size) override {
    const std::size_t count = std::min({size, fBytes.size() - fPos, std::size_t{1021}});
    std::memcpy(buffer, fBytes.data() + fPos, count);
    fPos += count;
    return count;
  }

 private:
  std::string_view fBytes;
  std::size_t fPos = 0;
};

// Unpacked files this big are kept whole to check the piecewise digest.
constexpr std::size_t KEPT_SIZE = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemorySource source(fuzz::InputText(data, size));
  TArchiveHeader header;
  try {
    header = ReadArchiveHeader(source, "fuzz.zip");
  } catch (const EUnpackError&) {
    return 0;
  }
  FUZZ_CHECK(header.FileName.size() >= 1 && header.FileName.size() <= ARCHIVE_MAX_NAME);
  // The file table names the file the archive holds; here, its own name.
  if (!CheckArchiveHeader(header, header.FileName).empty()) return 0;
  FUZZ_CHECK(IsPlainFileName(header.FileName));
  FUZZ_CHECK(header.Size >= 1 && header.Size <= ARCHIVE_MAX_SIZE);

  TMD5Context context;
  MD5Init(context);
  std::int64_t total = 0;
  std::string kept;
  const TArchiveSink sink = [&](const unsigned char* piece, std::size_t count) {
    FUZZ_CHECK(count > 0);
    MD5Update(context, piece, count);
    total += static_cast<std::int64_t>(count);
    FUZZ_CHECK(total <= header.Size);
    if (kept.size() + count <= KEPT_SIZE) kept.append(reinterpret_cast<const char*>(piece), count);
  };
  try {
    InflateArchive(source, sink, header.Size, "fuzz.zip");
  } catch (const EUnpackError&) {
    return 0;
  }
  FUZZ_CHECK(total == header.Size);
  TMD5Digest digest;
  MD5Final(context, digest);
  if (static_cast<std::int64_t>(kept.size()) == total) {
    FUZZ_CHECK(MD5Bytes(kept.data(), kept.size()) == digest);
  }
  return 0;
}
