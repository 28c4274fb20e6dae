// Dates, version and size texts, and the fixed drives.
#include <windows.h>

#include <shlwapi.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "base/uDateTime.h"
#include "misc/miscSlots.h"
#include "misc/miscText.h"

namespace qlm::misc {

namespace {

std::int64_t Ticks(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime);
}

// The offset from UTC in force at that moment (100 ns ticks) under the zone,
// as Explorer shows a file's date: a summer date read in winter keeps its
// summer time.
bool ZoneOffsetAt(const TIME_ZONE_INFORMATION& zone, std::int64_t ticks, std::int64_t& offset) {
  const FILETIME universal{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME universalTime;
  SYSTEMTIME localTime;
  FILETIME universalMs;
  FILETIME localMs;
  if (ticks < 0 || !::FileTimeToSystemTime(&universal, &universalTime) ||
      !::SystemTimeToTzSpecificLocalTime(&zone, &universalTime, &localTime) ||
      !::SystemTimeToFileTime(&universalTime, &universalMs) ||
      !::SystemTimeToFileTime(&localTime, &localMs)) {
    return false;
  }
  offset = Ticks(localMs) - Ticks(universalMs);
  return true;
}

// The system's time zone, read again at most once a minute, and the offsets
// of the UTC days already asked for. Asking the system on every call costs a
// scan of many files more than its walk; a zone changed while the program
// runs is seen within the minute. A zone's rules change the offset at most
// twice a year, so a day whose first and last moments share an offset keeps
// it all day; a day with a change is computed each time.
class TZoneOffsets {
 public:
  bool OffsetAt(std::int64_t ticks, std::int64_t& offset) {
    Refresh();
    if (!fValid) return false;
    constexpr std::int64_t TICKS_PER_DAY = 864000000000;
    const std::int64_t day = ticks / TICKS_PER_DAY;
    TDay& slot = fDays[static_cast<std::size_t>(day) % DAYS];
    if (ticks >= 0 && slot.Day == day) {
      offset = slot.Offset;
      return true;
    }
    if (!ZoneOffsetAt(fZone, ticks, offset)) return false;
    const std::int64_t first = day * TICKS_PER_DAY;
    std::int64_t atFirst = 0;
    std::int64_t atLast = 0;
    if (ZoneOffsetAt(fZone, first, atFirst) && atFirst == offset &&
        ZoneOffsetAt(fZone, first + TICKS_PER_DAY - 1, atLast) && atLast == offset) {
      slot = TDay{day, offset};
    }
    return true;
  }

 private:
  static constexpr std::size_t DAYS = 256;
  struct TDay {
    std::int64_t Day = -1;
    std::int64_t Offset = 0;
  };

  void Refresh() {
    constexpr DWORD REREAD_MS = 60000;
    const DWORD now = ::GetTickCount();
    if (fRead && now - fReadAt < REREAD_MS) return;
    fValid = ::GetTimeZoneInformation(&fZone) != TIME_ZONE_ID_INVALID;
    fReadAt = now;
    fRead = true;
    fDays.fill(TDay{});
  }

  TIME_ZONE_INFORMATION fZone{};
  DWORD fReadAt = 0;
  bool fRead = false;
  bool fValid = false;
  std::array<TDay, DAYS> fDays{};
};

// One per thread: the engine's thread and the window's never wait for each
// other.
TZoneOffsets& ZoneOffsets() {
  thread_local TZoneOffsets offsets;
  return offsets;
}

}  // namespace

extern "C" {

MiscBool MISC_CALL FileTimeToDate(std::uint64_t fileTime, double* localDate) {
  if (!localDate) return FALSE;
  const auto ticks = static_cast<std::int64_t>(fileTime);
  std::int64_t offset = 0;
  if (!ZoneOffsets().OffsetAt(ticks, offset)) return FALSE;
  // System times hold milliseconds only: the offset goes onto the exact time.
  *localDate = FileTimeToDateTime(static_cast<std::uint64_t>(ticks + offset));
  return TRUE;
}

int MISC_CALL FileVersionText(const char* file, char* buffer, int size) {
  if (!file || !*file) return 0;
  DWORD handle = 0;
  const DWORD bytes = ::GetFileVersionInfoSizeA(file, &handle);
  if (bytes == 0) return 0;
  std::vector<char> data(bytes);
  if (!::GetFileVersionInfoA(file, 0, bytes, data.data())) return 0;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return 0;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned{HIWORD(info->dwFileVersionMS)},
                unsigned{LOWORD(info->dwFileVersionMS)}, unsigned{HIWORD(info->dwFileVersionLS)},
                unsigned{LOWORD(info->dwFileVersionLS)});
  int written = 0;
  return PutText(text, buffer, size, &written) ? written : 0;
}

MiscBool MISC_CALL SizeToText(char* buffer, int size, int* outLength, std::int64_t bytes) {
  if (bytes < 0) return FALSE;
  char text[64];
  if (!::StrFormatByteSize64A(bytes, text, sizeof text)) return FALSE;
  return PutText(text, buffer, size, outLength);
}

MiscBool MISC_CALL FixedDriveRoots(const char* separator, char* buffer, int size, int* outLength) {
  if (!separator || !*separator) return FALSE;
  char drives[512];
  const DWORD length = ::GetLogicalDriveStringsA(sizeof drives, drives);
  if (length == 0 || length >= sizeof drives) return FALSE;
  std::string roots;
  for (const char* root = drives; *root; root += std::char_traits<char>::length(root) + 1) {
    if (::GetDriveTypeA(root) != DRIVE_FIXED) continue;
    if (!roots.empty()) roots += separator;
    roots += root;
  }
  return PutText(roots, buffer, size, outLength);
}

}  // extern "C"

}  // namespace qlm::misc
