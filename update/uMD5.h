// MD5 message digests (RFC 1321) over bytes in memory. Free of Windows
// headers; the digest of a whole file is in uMD5File.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qlm {

// The chaining words A, B, C, D, the message length in bits (low word
// first) and the bytes of an incomplete block.
struct TMD5Context {
  std::uint32_t State[4];
  std::uint32_t Count[2];
  std::uint8_t Buffer[64];
};

// The 16 raw bytes: A, B, C, D, each least significant byte first.
using TMD5Digest = std::array<std::uint8_t, 16>;

void MD5Init(TMD5Context& context);
// Feeds bytes; every complete 64-byte block is transformed at once.
void MD5Update(TMD5Context& context, const void* data, std::size_t count);
// Pads, appends the bit count and writes the digest; the context is then
// filled with zeros.
void MD5Final(TMD5Context& context, TMD5Digest& digest);

// The digest of one piece of memory.
TMD5Digest MD5Bytes(const void* data, std::size_t count);

}  // namespace qlm
