// Where the update site lives. Free of Windows headers.
#pragma once

#include <string>

namespace qlm {

inline constexpr char UPDATE_SITE_ADDRESS[] = "https://www.quillmere.com";
inline constexpr char UPDATE_SITE_PATH[] = "/public/updates/v1_0/";
// When set and not empty, the site's address instead of the built-in one,
// used as given (a mirror, or a test's local server for the real program).
inline constexpr char UPDATE_SITE_VARIABLE[] = "QLM_UPDATE_SITE";

// The site's address followed by the path of the update files and the
// folder of this build's kind ("x86/" or "x64/"); a file's address is this
// followed by its name. Whoever can point the program at
// another site still cannot make it install anything: the list and every
// archive must carry the publisher's signature.
std::string UpdateBaseAddress();

// Points the update at another site (a test's local server in the test's
// own process) until it is given an empty address; it comes before the
// environment's address.
void OverrideUpdateSite(const std::string& address);

}  // namespace qlm
