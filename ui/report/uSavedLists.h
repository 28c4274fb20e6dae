// The names of saved object lists and which of them a purge removes. Free
// of Windows headers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/uFileRec.h"

namespace qlm {

inline constexpr char SAVES_FOLDER[] = "saves\\";
inline constexpr char SAVED_LIST_PREFIX[] = "quillmere_log_";
inline constexpr char SAVED_LIST_EXTENSION[] = ".txt";

// "quillmere_log_" + the time as "yyyymmddhh" + ".txt".
std::string SavedListName(TDateTime now);

// A name of the saved-list form, compared without regard to case; the
// system's own wildcard would also match by a file's short name.
bool IsSavedListName(std::string_view name);

// The names a purge deletes so that keep remain: the first ones in an order
// by name without regard to case, which is the order of their time stamps.
// Nothing when keep is 0 or there are not more than keep names.
std::vector<std::string> NamesToPurge(std::vector<std::string> names, int keep);

}  // namespace qlm
