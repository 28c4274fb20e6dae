// The categories of found objects and folders to search, with the names the
// engine logs and the report groups by. Free of Windows headers.
#pragma once

#include <string>

namespace qlm {

// Categories of found objects and folders to search.
inline constexpr int OBJTYPE_COOKIES = 1;
inline constexpr int OBJTYPE_IE_CACHE = 2;
inline constexpr int OBJTYPE_RECENTS = 3;
inline constexpr int OBJTYPE_USER_JUNK = 4;
inline constexpr int OBJTYPE_WIN_UPDATES = 5;
inline constexpr int OBJTYPE_WIN_TEMP = 6;
inline constexpr int OBJTYPE_SYSTEM_JUNK = 7;
inline constexpr int OBJTYPE_PREFETCH = 8;
inline constexpr int OBJTYPE_IE_UPDATES = 9;
inline constexpr int OBJTYPE_OL_DELETED = 10;
inline constexpr int OBJTYPE_OL_JUNK = 11;
inline constexpr int OBJTYPE_OL_SENT = 12;
inline constexpr int OBJTYPE_OE_DELETED = 13;
inline constexpr int OBJTYPE_FF_CACHE = 14;
inline constexpr int OBJTYPE_FF_COOKIES = 15;
inline constexpr int OBJTYPE_ORPHAN_UPDATES = 16;
inline constexpr int OBJTYPE_IE_HISTORY = 17;
inline constexpr int OBJTYPE_IE_ADDRBAR = 18;
inline constexpr int OBJTYPE_FLOCK_CACHE = 19;
inline constexpr int OBJTYPE_FLOCK_COOKIES = 20;
inline constexpr int OBJTYPE_MRU = 21;
inline constexpr int OBJTYPE_DB_CACHE = 22;
// A custom category is OBJTYPE_CUSTOM + the position of its application in
// the custom define list; the low byte indexes that list.
inline constexpr int OBJTYPE_CUSTOM = 256;

// The name the engine logs and shows for a category: "Custom files" for
// 256..511, "Undefined files" for ids the table does not list.
std::string CategoryName(int category);
// The report group that gathers a category's objects; empty for category 12
// and for custom ids (the report takes their script's display text).
std::string CategoryGroup(int category);
// A custom category id: 256 to 511.
bool IsCustomCategory(int category);

}  // namespace qlm
