// A browser's profiles.ini and the folders of its profiles. Free of Windows
// headers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qlm::misc {

struct TProfileFolders {
  std::string Cookies;  // the profile folder, which holds cookies.txt
  std::string Cache;    // the profile's twin below the local data, + "Cache"
};

// The profiles of a profiles.ini, in the order of their sections
// ("[Profile0]", "[Profile1]", ...; case ignored). A section without a Path,
// or whose Path is only slashes, is left out, and so is one that says
// "IsRelative=0" of a path that names no drive or share. "IsRelative=1" makes the path relative to the browser's
// folder below the application data; "IsRelative=0" makes it absolute; a
// section without the key is taken by the path's own form. Both folders
// end with a backslash; slashes become backslashes.
//
// appBase:   application data + "\" + browser subpath, e.g.
//            "C:\...\Application Data\Mozilla\Firefox\"
// localBase: the same below the local application data.
// An absolute profile below appBase has its cache twin below localBase; an
// absolute profile elsewhere keeps its cache in its own "Cache" subfolder.
std::vector<TProfileFolders> ProfilesFromIni(std::string_view iniText, std::string_view appBase,
                                             std::string_view localBase);

}  // namespace qlm::misc
