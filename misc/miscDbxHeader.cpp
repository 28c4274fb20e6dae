#include "misc/miscDbxHeader.h"

namespace qlm::misc {

namespace {

// The signature of a message store; the folder list (Folders.dbx) differs in
// its fifth byte and holds no messages.
constexpr unsigned char DBX_MESSAGE_SIGNATURE[16] = {0xCF, 0xAD, 0x12, 0xFE, 0xC5, 0xFD, 0x74, 0x6F,
                                                     0x66, 0xE3, 0xD1, 0x11, 0x9A, 0x4E, 0x00, 0xC0};
constexpr std::size_t DBX_COUNT_OFFSET = 0xC4;

}  // namespace

bool DbxMessageCount(std::string_view header, std::int32_t& count) {
  if (header.size() < DBX_HEADER_BYTES) return false;
  for (std::size_t i = 0; i < sizeof DBX_MESSAGE_SIGNATURE; ++i) {
    if (static_cast<unsigned char>(header[i]) != DBX_MESSAGE_SIGNATURE[i]) return false;
  }
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(header[DBX_COUNT_OFFSET + i]);
  }
  count = static_cast<std::int32_t>(value);
  return true;
}

}  // namespace qlm::misc
