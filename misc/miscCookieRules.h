// Tracking cookies: the definition hosts, Internet Explorer cookie files and
// Netscape-format cookies.txt files, all on texts. Free of Windows headers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "startup/IMisc.h"

namespace qlm::misc {

// The host masks of a definition list, trimmed and lower-cased; null and
// empty entries are left out.
std::vector<std::string> DefinitionHosts(const MiscDefineList& definitions);

// A cookie host (its leading dot removed) matches an entry that equals it or
// that it ends with after a dot ("ads.example.com" matches "example.com");
// an entry holding "*", "?" or "[" is matched as a mask instead (a mask that
// cannot be parsed matches nothing). Case is ignored.
bool IsTrackingHost(std::string_view host, const std::vector<std::string>& hosts);

// The hosts of an Internet Explorer cookie file: records of name, value,
// host/path, flags and four time words, each closed by a line "*".
std::vector<std::string> IeCookieHosts(std::string_view fileText);

// One line of a cookies.txt with its own line break. Comment ("#") and blank
// lines are not cookies, except "#HttpOnly_" lines, which are cookies whose
// host follows the prefix.
struct TCookieLine {
  std::string_view Text;
  bool IsCookie = false;
  std::string Host;
};
std::vector<TCookieLine> CookieLines(std::string_view fileText);

struct TCookieTotals {
  std::int64_t Count = 0;
  std::int64_t Size = 0;  // bytes of the tracking lines, line breaks included
};
TCookieTotals TrackingCookieTotals(std::string_view fileText, const std::vector<std::string>& hosts);

// The file without its tracking cookie lines (without any cookie line when
// eraseAll); every other line stays byte for byte.
std::string CleanCookieText(std::string_view fileText, const std::vector<std::string>& hosts,
                            bool eraseAll);

}  // namespace qlm::misc
