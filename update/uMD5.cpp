#include "update/uMD5.h"

#include <cstring>

namespace qlm {

namespace {

constexpr std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// The sine table T[i] = floor(abs(sin(i + 1)) * 2^32) and the rotations of
// the four rounds.
constexpr std::uint32_t SINE[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613,
    0xfd469501, 0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193,
    0xa679438e, 0x49b40821, 0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d,
    0x02441453, 0xd8a1e681, 0xe7d3fbc8, 0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed,
    0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a, 0xfffa3942, 0x8771f681, 0x6d9d6122,
    0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70, 0x289b7ec6, 0xeaa127fa,
    0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665, 0xf4292244,
    0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb,
    0xeb86d391};
constexpr int SHIFTS[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

void Transform(std::uint32_t state[4], const std::uint8_t block[64]) {
  std::uint32_t x[16];
  for (int i = 0; i < 16; ++i) {
    x[i] = std::uint32_t(block[4 * i]) | std::uint32_t(block[4 * i + 1]) << 8 |
           std::uint32_t(block[4 * i + 2]) << 16 | std::uint32_t(block[4 * i + 3]) << 24;
  }
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  for (int i = 0; i < 64; ++i) {
    const int round = i / 16;
    std::uint32_t f;
    int k;
    switch (round) {
      case 0: f = (b & c) | (~b & d); k = i; break;
      case 1: f = (b & d) | (c & ~d); k = (5 * i + 1) % 16; break;
      case 2: f = b ^ c ^ d; k = (3 * i + 5) % 16; break;
      default: f = c ^ (b | ~d); k = (7 * i) % 16; break;
    }
    const std::uint32_t rotated = b + RotateLeft(a + f + x[k] + SINE[i], SHIFTS[round][i % 4]);
    a = d;
    d = c;
    c = b;
    b = rotated;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

}  // namespace

void MD5Init(TMD5Context& context) {
  context.State[0] = 0x67452301;
  context.State[1] = 0xefcdab89;
  context.State[2] = 0x98badcfe;
  context.State[3] = 0x10325476;
  context.Count[0] = context.Count[1] = 0;
  std::memset(context.Buffer, 0, sizeof context.Buffer);
}

void MD5Update(TMD5Context& context, const void* data, std::size_t count) {
  const auto* input = static_cast<const std::uint8_t*>(data);
  std::size_t used = (context.Count[0] >> 3) & 63;
  const std::uint64_t bits = (std::uint64_t(context.Count[1]) << 32 | context.Count[0]) +
                             (std::uint64_t(count) << 3);
  context.Count[0] = std::uint32_t(bits);
  context.Count[1] = std::uint32_t(bits >> 32);

  if (used > 0) {
    const std::size_t take = count < 64 - used ? count : 64 - used;
    std::memcpy(context.Buffer + used, input, take);
    used += take;
    input += take;
    count -= take;
    if (used < 64) return;
    Transform(context.State, context.Buffer);
  }
  for (; count >= 64; input += 64, count -= 64) Transform(context.State, input);
  std::memcpy(context.Buffer, input, count);
}

void MD5Final(TMD5Context& context, TMD5Digest& digest) {
  std::uint8_t length[8];
  for (int i = 0; i < 8; ++i) length[i] = std::uint8_t(context.Count[i / 4] >> (8 * (i % 4)));
  // One 0x80 byte, then zeros up to 56 bytes modulo 64, then the bit count.
  const std::size_t used = (context.Count[0] >> 3) & 63;
  const std::size_t padding = used < 56 ? 56 - used : 120 - used;
  std::uint8_t pad[64] = {0x80};
  MD5Update(context, pad, padding);
  MD5Update(context, length, sizeof length);
  for (int i = 0; i < 16; ++i) digest[i] = std::uint8_t(context.State[i / 4] >> (8 * (i % 4)));
  std::memset(&context, 0, sizeof context);
}

TMD5Digest MD5Bytes(const void* data, std::size_t count) {
  TMD5Context context;
  MD5Init(context);
  MD5Update(context, data, count);
  TMD5Digest digest;
  MD5Final(context, digest);
  return digest;
}

}  // namespace qlm
