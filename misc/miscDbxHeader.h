// The header of an Outlook Express message store (.dbx). Free of Windows
// headers.
#pragma once

#include <cstdint>
#include <string_view>

namespace qlm::misc {

// Bytes of the header that the count needs.
inline constexpr std::size_t DBX_HEADER_BYTES = 0xC8;

// The message count of a message store from its first bytes: false when the
// bytes do not start with the message store's signature or are too short.
bool DbxMessageCount(std::string_view header, std::int32_t& count);

}  // namespace qlm::misc
