// Tracking cookies in cookie files: the rules live in miscCookieRules, this
// file reads and rewrites the files.
#include <windows.h>

#include <string>
#include <vector>

#include "base/uAtomicReplace.h"
#include "base/uFileRead.h"
#include "base/uPathRules.h"
#include "misc/miscCookieRules.h"
#include "misc/miscSlots.h"
#include "misc/miscSystem.h"
#include "misc/miscText.h"

namespace qlm::misc {

namespace {

// Cookie files are small; anything larger is no cookie file of ours.
constexpr std::uint64_t COOKIE_FILE_LIMIT = 64ull << 20;

bool ReadCookieFile(const char* path, const MiscDefineList* definitions, std::string& text,
                    std::vector<std::string>& hosts) {
  if (!path || !*path || !definitions) return false;
  TFileRead file = ReadWholeFile(path, COOKIE_FILE_LIMIT);
  if (!file.Ok()) return false;
  text = std::move(file.Bytes);
  hosts = DefinitionHosts(*definitions);
  return true;
}

}  // namespace

extern "C" {

MiscBool MISC_CALL IsTrackingCookieFile(const char* cookieFile, const MiscDefineList* definitions) {
  std::string text;
  std::vector<std::string> hosts;
  if (!ReadCookieFile(cookieFile, definitions, text, hosts)) return FALSE;
  for (const std::string& host : IeCookieHosts(text)) {
    if (IsTrackingHost(host, hosts)) return TRUE;
  }
  return FALSE;
}

MiscBool MISC_CALL MozHasTrackingCookie(const char* cookieFile, const MiscDefineList* definitions) {
  std::string text;
  std::vector<std::string> hosts;
  return ReadCookieFile(cookieFile, definitions, text, hosts) &&
         TrackingCookieTotals(text, hosts).Count > 0;
}

MiscBool MISC_CALL MozCountCookies(const char* cookieFile, const MiscDefineList* definitions,
                                   std::int64_t* count, std::int64_t* size) {
  std::string text;
  std::vector<std::string> hosts;
  if (!count || !size || !ReadCookieFile(cookieFile, definitions, text, hosts)) return FALSE;
  const TCookieTotals totals = TrackingCookieTotals(text, hosts);
  *count = totals.Count;
  *size = totals.Size;
  return TRUE;
}

// The cleaned text replaces the file only when it differs, and only as a
// whole: a failure leaves the original file untouched.
MiscBool MISC_CALL MozCleanCookies(const char* cookieFile, const MiscDefineList* definitions,
                                   MiscBool eraseAll) {
  std::string text;
  std::vector<std::string> hosts;
  if (!IsActionablePath(ArgText(cookieFile)) ||
      !ReadCookieFile(cookieFile, definitions, text, hosts)) {
    return FALSE;
  }
  const std::string kept = CleanCookieText(text, hosts, eraseAll != FALSE);
  return kept == text || WriteFileAtomically(cookieFile, kept);
}

}  // extern "C"

}  // namespace qlm::misc
