// Whole files read into memory, never larger than the caller allows.
#pragma once

#include <cstdint>
#include <string>

namespace qlm {

enum class TReadOutcome {
  Read,
  Missing,     // no file (nor folder) of that name
  Unreadable,  // there, but it cannot be opened or read whole
  TooLarge,    // larger than the limit: not read at all
};

struct TFileRead {
  TReadOutcome Outcome = TReadOutcome::Unreadable;
  std::string Bytes;  // the content when read, empty otherwise
  bool Ok() const noexcept { return Outcome == TReadOutcome::Read; }
};

// Reads the file while others may read and write it.
TFileRead ReadWholeFile(const std::string& path, std::uint64_t limit);

}  // namespace qlm
