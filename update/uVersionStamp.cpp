#include "update/uVersionStamp.h"

#include <cstdio>

namespace qlm {

namespace {

// The widest value of each part: a and b have 16 bits of the stamp each, c
// the low 32, of which the shown text ("%d") takes the positive half.
constexpr std::int64_t MAX_HIGH_PART = 0xFFFF;
constexpr std::int64_t MAX_LOW_PART = 0x7FFFFFFF;

// A non-empty run of decimal digits up to `max`.
bool ParsePart(std::string_view text, std::int64_t max, std::int64_t& value) {
  if (text.empty() || text.size() > 10) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value <= max;
}

}  // namespace

std::int64_t ParseVersionLine(std::string_view line) {
  // The version text is the q - 2 characters after the first "[" (q being
  // the 1-based position of the first "]"): the text between the brackets
  // when the line begins with "[".
  const std::size_t open = line.find('[');
  const std::size_t close = line.find(']');
  const std::size_t start = open == std::string_view::npos ? 0 : open + 1;
  const std::size_t count = close == std::string_view::npos || close < 1 ? 0 : close - 1;
  const std::string_view version = start < line.size() ? line.substr(start, count) : "";

  const std::size_t dot1 = version.find('.');
  if (dot1 == std::string_view::npos) return 0;
  const std::size_t dot2 = version.find('.', dot1 + 1);
  std::int64_t a = 0, b = 0, c = 0;
  if (!ParsePart(version.substr(0, dot1), MAX_HIGH_PART, a)) return 0;
  if (dot2 == std::string_view::npos) {
    if (!ParsePart(version.substr(dot1 + 1), MAX_HIGH_PART, b)) return 0;
  } else if (!ParsePart(version.substr(dot1 + 1, dot2 - dot1 - 1), MAX_HIGH_PART, b) ||
             !ParsePart(version.substr(dot2 + 1), MAX_LOW_PART, c)) {
    return 0;
  }
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) << 48 |
                                   static_cast<std::uint64_t>(b) << 32 |
                                   static_cast<std::uint64_t>(c));
}

std::string FormatStamp(const TVersionStamp& stamp) {
  const auto value = static_cast<std::uint64_t>(stamp.Value);
  char text[64];
  switch (stamp.Kind) {
    case STAMP_FILE_VERSION:
      std::snprintf(text, sizeof text, "%d.%d.%d.%d", int(value >> 48 & 0xFFFF),
                    int(value >> 32 & 0xFFFF), int(value >> 16 & 0xFFFF), int(value & 0xFFFF));
      return text;
    case STAMP_TEXT_VERSION:
      std::snprintf(text, sizeof text, "%d.%d.%d", int(value >> 48 & 0xFFFF),
                    int(value >> 32 & 0xFFFF), static_cast<int>(static_cast<std::uint32_t>(value)));
      return text;
    default:
      return "";
  }
}

}  // namespace qlm
