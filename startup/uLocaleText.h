// Dates and times in the user's regional formats.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The user's short date format, e.g. "15/03/2009".
std::string ShortDateText(const SYSTEMTIME& time);

// The user's long time format, e.g. "14:25:30".
std::string LongTimeText(const SYSTEMTIME& time);

// Short date, a blank and long time; the time is left out at midnight exactly.
std::string DateTimeToText(double dateTime);

// A file time as DateTimeToText shows it.
std::string FileTimeToText(std::uint64_t fileTime);
