// The header of an Outlook Express message store: only a header of the
// message store's signature and full length gives a count, and the count is
// the little-endian word at its place.
#include <cstring>

#include "fuzz/uFuzzCheck.h"
#include "misc/miscDbxHeader.h"

using namespace qlm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::int32_t count = -12345;
  const bool read = misc::DbxMessageCount(fuzz::InputText(data, size), count);
  if (!read) {
    FUZZ_CHECK(count == -12345);
    return 0;
  }
  FUZZ_CHECK(size >= misc::DBX_HEADER_BYTES);
  FUZZ_CHECK(data[0] == 0xCF && data[1] == 0xAD && data[2] == 0x12 && data[3] == 0xFE);
  std::uint32_t word = 0;
  for (int i = 3; i >= 0; --i) word = word << 8 | data[0xC4 + i];
  FUZZ_CHECK(count == static_cast<std::int32_t>(word));
  return 0;
}
