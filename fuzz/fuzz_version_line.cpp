// Version lines: a line that gives a version formats back to a line of the
// same value; three numbers within the fields' widths make a line of
// exactly their value.
#include <cstring>
#include <string>

#include "fuzz/uFuzzCheck.h"
#include "update/uVersionStamp.h"

using namespace qlm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::int64_t value = ParseVersionLine(fuzz::InputText(data, size));
  if (value != 0) {
    const std::string text = FormatStamp({STAMP_TEXT_VERSION, value});
    FUZZ_CHECK(ParseVersionLine("[" + text + "]") == value);
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
