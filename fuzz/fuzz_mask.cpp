// Masks typed by the user: the input is a mask, a line feed and a text. A
// mask without wildcards matches its own text in either case; the text made
// from a mask by filling its wildcards matches it; the throwing and the
// quiet match agree.
#include <string>

#include "base/uMasks.h"
#include "base/uText.h"
#include "fuzz/uFuzzCheck.h"

using namespace qlm;

namespace {

bool Matches(std::string_view text, std::string_view mask) {
  bool matched = false;
  try {
    matched = MatchesFileMask(text, mask);
  } catch (const EMaskError&) {
    FUZZ_CHECK(!MatchesMask(text, mask));
    return false;
  }
  FUZZ_CHECK(MatchesMask(text, mask) == matched);
  return matched;
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The mask with "*" left out and "?" as one character; none for a mask with
// sets.
bool Filled(std::string_view mask, std::string& text) {
  for (const char c : mask) {
    if (c == '[') return false;
    if (c == '?') text += 'q';
    else if (c != '*') text += c;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view mask, text;
  fuzz::SplitInput(fuzz::InputText(data, size), '\n', mask, text);
  Matches(text, mask);
  if (!HasMaskCharacters(mask)) {
    FUZZ_CHECK(Matches(mask, mask));
    FUZZ_CHECK(Matches(UpperAscii(mask), mask));
    FUZZ_CHECK(Matches(LowerText(mask), mask));
  }
  std::string filled;
  if (Filled(mask, filled)) FUZZ_CHECK(Matches(filled, mask));
  FUZZ_CHECK(Matches(text, "*"));
  return 0;
}
