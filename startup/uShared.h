// Small routines that several subsystems share. Free of Windows headers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// 100-nanosecond intervals per day, and days from 1 January 1601 to
// 30 December 1899 (the origin of a date-time).
inline constexpr double FILETIME_TICKS_PER_DAY = 864000000000.0;
inline constexpr double FILETIME_EPOCH_DAYS = 109205.0;

// A file time (100 ns intervals since 1601) as days since 30 December 1899.
// No time-zone conversion is made.
double FileTimeToDateTime(std::uint64_t fileTime);

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
TDateParts DateTimeToParts(double dateTime);

// "Projects\Old\report.txt" for "C:\Data\Projects\Old\report.txt": two
// folder levels and the file name; a missing level stays an empty name.
std::string ShortPath(std::string_view path);

// The parts of a text between its delimiters; n delimiters give n + 1 parts.
std::vector<std::string_view> SplitAt(std::string_view text, char delimiter);

// The folder part of a path, with its trailing delimiter ("C:\\a\\" for
// "C:\\a\\f.txt"); empty when the path has no folder.
std::string FolderOf(std::string_view path);
// The name after the last delimiter.
std::string NameOf(std::string_view path);
// The folder with one trailing backslash; an empty text stays empty, so that
// it never becomes the root of the current drive.
std::string WithBackslash(std::string_view folder);

// The characters of a services library buffer before its terminating zero,
// never more than `length`.
std::string MiscText(const char* buffer, int length);
