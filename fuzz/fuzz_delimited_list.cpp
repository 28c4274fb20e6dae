// Delimited lists: a list that was split, written back and split again is
// the same list, and writing it again gives the same text.
#include <string>

#include "base/uStringList.h"
#include "fuzz/uFuzzCheck.h"

using namespace qlm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The delimiters in use: the option lists' '|', the change notes' ','.
  const char delimiter = data[0] % 2 == 0 ? '|' : ',';
  const TStringList list = SplitDelimited(fuzz::InputText(data + 1, size - 1), delimiter);
  for (const std::string& item : list.Items) FUZZ_CHECK(!item.empty());
  const std::string text = DelimitedText(list);
  const TStringList again = SplitDelimited(text, delimiter);
  FUZZ_CHECK(again.Items == list.Items);
  FUZZ_CHECK(DelimitedText(again) == text);
  return 0;
}
