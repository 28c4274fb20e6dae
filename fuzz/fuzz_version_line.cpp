// Version lines: a line that gives a version formats back to a line of the
// same value, and a line of plainly written numbers to its own numbers;
// three numbers within the fields' widths make a line of exactly their
// value.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/uFuzzCheck.h"
#include "update/uVersionStamp.h"

using namespace qlm;

namespace {

// The numbers of "[a.b]" or "[a.b.c]" written without leading zeros, as
// "a.b.c" (c being 0 when missing); empty for any other line.
std::string PlainVersion(std::string_view line) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return "";
  std::vector<std::string_view> parts;
  std::string_view rest = line.substr(1, line.size() - 2);
  for (std::size_t dot; (dot = rest.find('.')) != std::string_view::npos;) {
    parts.push_back(rest.substr(0, dot));
    rest.remove_prefix(dot + 1);
  }
  parts.push_back(rest);
  if (parts.size() < 2 || parts.size() > 3) return "";
  std::string text;
  for (const std::string_view part : parts) {
    if (part.empty() || part.size() > 12 || (part.size() > 1 && part.front() == '0')) return "";
    if (part.find_first_not_of("0123456789") != std::string_view::npos) return "";
    text += std::string(part) + ".";
  }
  if (parts.size() == 2) text += "0.";
  text.pop_back();
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line = fuzz::InputText(data, size);
  const std::int64_t value = ParseVersionLine(line);
  if (value != 0) {
    const std::string text = FormatStamp({STAMP_TEXT_VERSION, value});
    FUZZ_CHECK(ParseVersionLine("[" + text + "]") == value);
    const std::string plain = PlainVersion(line);
    FUZZ_CHECK(plain.empty() || plain == text);
  }
  if (size >= 8) {
    std::uint16_t a = 0, b = 0;
    std::uint32_t c = 0;
    std::memcpy(&a, data, 2);
    std::memcpy(&b, data + 2, 2);
    std::memcpy(&c, data + 4, 4);
    c &= 0x7FFFFFFF;
    const std::string line = "[" + std::to_string(a) + "." + std::to_string(b) + "." +
                             std::to_string(c) + "]";
    const auto expected = static_cast<std::int64_t>(std::uint64_t{a} << 48 |
                                                    std::uint64_t{b} << 32 | c);
    FUZZ_CHECK(ParseVersionLine(line) == expected);
    FUZZ_CHECK(FormatStamp({STAMP_TEXT_VERSION, expected}) == line.substr(1, line.size() - 2));
  }
  return 0;
}
