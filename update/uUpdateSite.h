// Where the update site lives. Free of Windows headers.
#pragma once

#include <string>

namespace qlm {

inline constexpr char UPDATE_SITE_ADDRESS[] = "http://updates.quillmere.net";
inline constexpr char UPDATE_SITE_PATH[] = "/public/updates/v1_0/";

// The site's address followed by the path of the update files; a file's
// address is this followed by its name.
std::string UpdateBaseAddress();

// Points the update at another site (a test's local server) until it is
// given an empty address. Only code inside the process can call it: an
// address that the environment or the registry could set would let any
// program that writes there redirect the updates.
void OverrideUpdateSite(const std::string& address);

}  // namespace qlm
