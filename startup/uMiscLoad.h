// Binding of the services library misc.dll.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "startup/IMisc.h"

namespace qlm {

inline constexpr char MISC_LIBRARY_FILE[] = "misc.dll";
inline constexpr char MISC_EXPORT_NAME[] = "GetIMisc";

// The library's GetIMisc export; set by LoadMiscLibrary, cleared by
// UnloadMiscLibrary. Null when the library lacks the export.
extern GetIMiscFn GetIMiscEntry;

// The one interface record through which every part calls the library.
extern const IMisc* Misc;

// Loads folder + "misc.dll" (an empty folder means the program's folder,
// never the system's library search) into `handle`, which must be zero.
bool LoadMiscLibrary(HMODULE& handle, std::string folder);

// Frees the library when `handle` holds one; the variable keeps its value.
bool UnloadMiscLibrary(HMODULE& handle);

// The characters of a services library buffer before its terminating zero,
// never more than `length`.
std::string MiscText(const char* buffer, int length);

// A size as the services library writes it ("1.5 MB"); empty when the
// library is missing or its slot fails.
std::string MiscSizeText(std::int64_t bytes);

}  // namespace qlm
