// What every fuzz target shares: the input as text and the check of an
// invariant, which ends the run with a message so that libFuzzer keeps the
// input as a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition)                                                        \
  do {                                                                               \
    if (!(condition)) {                                                              \
      std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, \
                   __LINE__);                                                        \
      std::abort();                                                                  \
    }                                                                                \
  } while (0)

namespace qlm::fuzz {

inline std::string_view InputText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input cut at the first `separator` into a head and the rest after it;
// all of it is the rest when it holds none.
inline void SplitInput(std::string_view input, char separator, std::string_view& head,
                       std::string_view& rest) {
  const std::size_t at = input.find(separator);
  if (at == std::string_view::npos) {
    head = {};
    rest = input;
  } else {
    head = input.substr(0, at);
    rest = input.substr(at + 1);
  }
}

}  // namespace qlm::fuzz
