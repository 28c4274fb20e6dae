// The update list "_qlmwul_dat.zip": a 24-byte header and one 56-byte record
// per program file, each followed by its change notes. Little-endian. Free of
// Windows headers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "update/uUpdateMachine.h"
#include "update/uVersionStamp.h"

namespace qlm {

inline constexpr char UPDATE_LIST_NAME[] = "_qlmwul_dat.zip";
inline constexpr char UPDATE_LIST_MAGIC[] = "QLMU";
inline constexpr std::uint32_t UPDATE_LIST_VERSION = 0x01000002;
inline constexpr std::size_t UPDATE_LIST_HEADER_SIZE = 24;
inline constexpr std::size_t UPDATE_RECORD_SIZE = 56;

// One entry of the list with its change notes.
struct TUpdateRecordEx {
  std::int64_t FileId = 0;
  std::int64_t Size = 0;
  TVersionStamp Stamp;
  std::uint64_t Date = 0;  // file time, 100 ns ticks since 1601
  std::string Changes;
};

enum class TUpdateListStatus {
  Complete,   // every entry read
  NotValid,   // wrong magic or format version: no entry
  Truncated,  // an entry runs past the end: the entries before it were read
};

struct TUpdateList {
  TUpdateListStatus Status = TUpdateListStatus::NotValid;
  // The kind of program the list is for (header bytes 16 and 17); the first
  // lists, for the 32-bit program only, left them zero.
  std::uint16_t Machine = UPDATE_MACHINE_X86;
  std::vector<TUpdateRecordEx> Entries;
  std::string Error;  // why the reading stopped early
};

// Reads the entries in order; never reads past the end of `bytes`.
TUpdateList ParseUpdateList(std::string_view bytes);

// The change notes one per line: comma-separated, a note in double quotes
// may hold blanks and commas ("" for a quote), an unquoted note also breaks
// at blanks.
std::vector<std::string> SplitChangeNotes(std::string_view notes);

}  // namespace qlm
