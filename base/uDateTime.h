// Date-times: days since 30 December 1899 with the time of day as fraction.
// Free of Windows headers.
#pragma once

#include <cstdint>

namespace qlm {

// A date-time: days since 30 December 1899, the fraction being the time of
// day (local time).
using TDateTime = double;

// 100-nanosecond intervals per day, and days from 1 January 1601 to
// 30 December 1899 (the origin of a date-time).
inline constexpr double FILETIME_TICKS_PER_DAY = 864000000000.0;
inline constexpr double FILETIME_EPOCH_DAYS = 109205.0;

// A file time (100 ns intervals since 1601) as days since 30 December 1899.
// No time-zone conversion is made.
TDateTime FileTimeToDateTime(std::uint64_t fileTime);

// The calendar parts of a date-time; the fraction of a negative date-time is
// still the time of that day, as the date-time convention has it.
struct TDateParts {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};
TDateParts DateTimeToParts(TDateTime dateTime);

}  // namespace qlm
