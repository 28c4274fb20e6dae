#include "base/uDateTime.h"

#include <cmath>

namespace qlm {

TDateTime FileTimeToDateTime(std::uint64_t fileTime) {
  return static_cast<double>(fileTime) / FILETIME_TICKS_PER_DAY - FILETIME_EPOCH_DAYS;
}

namespace {

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t doe = days - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

constexpr std::int64_t kDaysFrom1899To1970 = 25569;

}  // namespace

TDateParts DateTimeToParts(TDateTime dateTime) {
  TDateParts parts;
  const double whole = std::trunc(dateTime);
  std::int64_t ms = std::llround(std::fabs(dateTime - whole) * 86400000.0);
  std::int64_t days = static_cast<std::int64_t>(whole);
  if (ms >= 86400000) {  // rounding reached the next day
    ms -= 86400000;
    days += dateTime < 0 ? -1 : 1;
  }
  CivilFromDays(days - kDaysFrom1899To1970, parts.Year, parts.Month, parts.Day);
  parts.Hour = static_cast<int>(ms / 3600000);
  parts.Minute = static_cast<int>(ms / 60000 % 60);
  parts.Second = static_cast<int>(ms / 1000 % 60);
  parts.Millisecond = static_cast<int>(ms % 1000);
  return parts;
}

}  // namespace qlm
