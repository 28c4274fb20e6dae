// What this Windows and this process can do.
#include <windows.h>

#include "misc/miscSlots.h"

namespace qlm::misc {

extern "C" {

// CapabilityFlag1: the process runs with administrator rights (its token is
// a member of the Administrators group, enabled).
MiscBool MISC_CALL CapabilityFlag1() {
  SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!::AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
    return FALSE;
  }
  BOOL member = FALSE;
  if (!::CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
  ::FreeSid(administrators);
  return member;
}

// LegacyCategoriesOff: Windows Vista or later, where the update
// uninstallation folders, $hf_mig$ and Outlook Express no longer exist.
MiscBool MISC_CALL LegacyCategoriesOff() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (!::GetVersionExA(&version)) return FALSE;
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6;
}

}  // extern "C"

}  // namespace qlm::misc
