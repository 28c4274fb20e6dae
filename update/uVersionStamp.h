// Version stamps of program files: a kind and a 64-bit value that orders
// the installed copy and the update site's copy. Free of Windows headers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qlm {

inline constexpr int STAMP_FILE_TIME = 0;     // last-write time, 100 ns ticks since 1601
inline constexpr int STAMP_FILE_VERSION = 1;  // version resource: major.minor.release.build
inline constexpr int STAMP_TEXT_VERSION = 2;  // version line [a.b.c]

struct TVersionStamp {
  int Kind = STAMP_FILE_TIME;
  std::int64_t Value = 0;
};

// The value of a version line such as "[1.4.2]": a << 48 | b << 32 | c, c
// being 0 when there is no second ".". A part that is not a decimal number
// (an empty one too), or wider than its field (a and b up to 65535, c up to
// 2147483647), makes the value 0: it would show as another version.
std::int64_t ParseVersionLine(std::string_view line);

// "2.0.1.0" for a file version, "1.4.10" for a text version, empty for a
// file time.
std::string FormatStamp(const TVersionStamp& stamp);

}  // namespace qlm
