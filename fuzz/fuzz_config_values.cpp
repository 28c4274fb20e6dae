// The settings' values read from their texts: a number that reads writes
// back to a text of the same number, the 32-bit reading agrees with the
// 64-bit one, and the written truth values read back.
#include <limits>
#include <string>

#include "fuzz/uFuzzCheck.h"
#include "settings/uConfigValues.h"

using namespace qlm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::InputText(data, size);
  const auto wide = ParseInt64(text);
  const auto narrow = ParseInt32(text);
  if (wide) {
    FUZZ_CHECK(ParseInt64(std::to_string(*wide)) == wide);
    const bool fits = *wide >= std::numeric_limits<std::int32_t>::min() &&
                      *wide <= std::numeric_limits<std::int32_t>::max();
    FUZZ_CHECK(narrow.has_value() == fits);
    if (fits) FUZZ_CHECK(*narrow == *wide);
  } else {
    FUZZ_CHECK(!narrow);
  }
  const auto truth = ParseBool(text);
  if (wide) FUZZ_CHECK(truth == (*wide != 0));
  if (truth) FUZZ_CHECK(ParseBool(BoolText(*truth)) == truth);
  FUZZ_CHECK(ParseBool(BoolText(true)) == true && ParseBool(BoolText(false)) == false);
  return 0;
}
