#include "ui/uClock.h"

#include <windows.h>

#include <cstdint>

#include "base/uDateTime.h"

namespace qlm {

TDateTime Now() {
  SYSTEMTIME local{};
  ::GetLocalTime(&local);
  FILETIME asFileTime{};
  // A conversion of a valid time of the system's own clock cannot fail.
  ::SystemTimeToFileTime(&local, &asFileTime);
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(asFileTime.dwHighDateTime) << 32) | asFileTime.dwLowDateTime;
  return FileTimeToDateTime(ticks);
}

}  // namespace qlm
