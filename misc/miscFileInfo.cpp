// Dates, version and size texts, and the fixed drives.
#include <windows.h>

#include <shlwapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/uDateTime.h"
#include "misc/miscSlots.h"
#include "misc/miscText.h"

extern "C" {

MiscBool MISC_CALL FileTimeToDate(std::uint64_t fileTime, double* localDate) {
  if (!localDate) return FALSE;
  FILETIME universal;
  universal.dwLowDateTime = static_cast<DWORD>(fileTime);
  universal.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
  FILETIME local;
  if (!::FileTimeToLocalFileTime(&universal, &local)) return FALSE;
  *localDate = FileTimeToDateTime((static_cast<std::uint64_t>(local.dwHighDateTime) << 32) |
                                  local.dwLowDateTime);
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
  if (!separator) return FALSE;
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
