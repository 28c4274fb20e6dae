// Where the update site lives. Free of Windows headers.
#pragma once

#include <string>

// The site's own address, used unless the environment variable names
// another one (a mirror, or a test's local server), e.g.
// QLM_UPDATE_SITE=http://127.0.0.1:8080
inline constexpr char UPDATE_SITE_ADDRESS[] = "http://updates.quillmere.net";
inline constexpr char UPDATE_SITE_VARIABLE[] = "QLM_UPDATE_SITE";
inline constexpr char UPDATE_SITE_PATH[] = "/public/updates/v1_0/";

// The site's address followed by the path of the update files; a file's
// address is this followed by its name.
std::string UpdateBaseAddress();
