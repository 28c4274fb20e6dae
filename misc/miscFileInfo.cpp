// Dates, version and size texts, and the fixed drives.
#include <windows.h>

#include <shlwapi.h>

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

// The system's time zone, read again at most once a minute: asking the
// system on every call costs a scan of many files more than the walk itself,
// and a zone changed while the program runs is seen within the minute.
const TIME_ZONE_INFORMATION* CurrentTimeZone() {
  constexpr DWORD REREAD_MS = 60000;
  thread_local TIME_ZONE_INFORMATION zone{};
  thread_local DWORD readAt = 0;
  thread_local bool valid = false;
  const DWORD now = ::GetTickCount();
  if (!valid || now - readAt >= REREAD_MS) {
    valid = ::GetTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID;
    readAt = now;
  }
  return valid ? &zone : nullptr;
}

// The offset from UTC in force at that moment (100 ns ticks), as Explorer
// shows a file's date: a summer date read in winter keeps its summer time.
bool LocalOffsetAt(const FILETIME& universal, std::int64_t& offset) {
  const TIME_ZONE_INFORMATION* zone = CurrentTimeZone();
  SYSTEMTIME universalTime;
  SYSTEMTIME localTime;
  FILETIME universalMs;
  FILETIME localMs;
  if (zone == nullptr || !::FileTimeToSystemTime(&universal, &universalTime) ||
      !::SystemTimeToTzSpecificLocalTime(zone, &universalTime, &localTime) ||
      !::SystemTimeToFileTime(&universalTime, &universalMs) ||
      !::SystemTimeToFileTime(&localTime, &localMs)) {
    return false;
  }
  offset = Ticks(localMs) - Ticks(universalMs);
  return true;
}

}  // namespace

extern "C" {

MiscBool MISC_CALL FileTimeToDate(std::uint64_t fileTime, double* localDate) {
  if (!localDate) return FALSE;
  const FILETIME universal{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
  std::int64_t offset = 0;
  if (!LocalOffsetAt(universal, offset)) return FALSE;
  // System times hold milliseconds only: the offset goes onto the exact time.
  *localDate = FileTimeToDateTime(static_cast<std::uint64_t>(Ticks(universal) + offset));
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
