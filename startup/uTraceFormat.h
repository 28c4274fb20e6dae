// The trace log's text forms: level names, file stamps and entry lines.
// Free of Windows headers so that every form is testable on its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/uDateTime.h"

namespace qlm {

inline constexpr int LVL_NONE = 0;
inline constexpr int LVL_EXCEPT = 1;
inline constexpr int LVL_ERROR = 2;
inline constexpr int LVL_WARNING = 3;
inline constexpr int LVL_INFO = 4;
inline constexpr int LVL_NOTICE = 5;
inline constexpr int LVL_DEBUG = 6;
inline constexpr int LVL_TRASH = 7;

// A local time as the trace log reads it from its clock.
using TTraceTime = TDateParts;

// "LVL_DEBUG" for 6; levels outside 0..7 have no name (empty text).
std::string_view TraceLevelName(int level);

// The header's first and the footer's last line: 80 characters of code 187.
std::string TraceRule();

// "yyyymmdd".
std::string TraceDayText(const TTraceTime& time);

// "yyyymmdd-hhnnss-zzz" for unique names, else "yyyymmdd".
std::string TraceStamp(const TTraceTime& time, bool uniqueNames);

// The file name (no folder): appFileName with its extension replaced by
// "." + stamp, "-" + suffix when there is one, and ".txt".
std::string TraceFileName(std::string_view appFileName, std::string_view stamp,
                          std::string_view suffix);

// Whether fileName is a name that TraceFileName makes for this application,
// kind of stamp and suffix at some time; letter case is ignored outside the
// stamp, as the file system ignores it.
bool IsTraceFileName(std::string_view fileName, std::string_view appFileName, bool uniqueNames,
                     std::string_view suffix);

// "[06] 142530.123   [00000A1C] message".
std::string TraceEntryLine(int level, const TTraceTime& time, std::uint32_t threadId,
                           std::string_view message);

// "LOG Level: 6 [LVL_DEBUG]".
std::string TraceLevelLine(int level);

}  // namespace qlm
