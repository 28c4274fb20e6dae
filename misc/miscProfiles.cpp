// A browser's profiles, from its profiles.ini below the application data.
// A handle is the address of a list that only this library reads; handles
// are checked against the open ones, so a stale or made-up handle answers
// failure instead of reaching freed memory.
#include <windows.h>

#include <shlobj.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/uFileRead.h"
#include "base/uHandles.h"
#include "base/uPathText.h"
#include "misc/miscProfilesIni.h"
#include "misc/miscSlots.h"
#include "misc/miscSystem.h"
#include "misc/miscText.h"

namespace qlm::misc {

namespace {

constexpr std::uint64_t PROFILES_INI_LIMIT = 1 << 20;

struct TProfileList {
  std::vector<TProfileFolders> Profiles;
};

// Slots run on the main and the engine thread.
TCriticalSection& HandleLock() {
  static TCriticalSection lock;
  return lock;
}

std::set<MiscProfiles>& OpenHandles() {
  static std::set<MiscProfiles> handles;
  return handles;
}

// The profile of handle at index, copied under the lock.
bool ProfileAt(MiscProfiles handle, int index, TProfileFolders& profile) {
  TLockGuard guard(HandleLock());
  if (!OpenHandles().count(handle)) return false;
  const auto* list = reinterpret_cast<const TProfileList*>(handle);
  if (index < 0 || static_cast<std::size_t>(index) >= list->Profiles.size()) return false;
  profile = list->Profiles[index];
  return true;
}

}  // namespace

extern "C" {

MiscProfiles MISC_CALL OpenProfiles(const char* subPath) {
  const std::string sub = WithBackslash(ArgText(subPath));
  if (sub.empty() || sub.front() == '\\' || sub.find(':') != std::string::npos) return 0;
  const std::string appData = ShellFolder(CSIDL_APPDATA);
  const std::string localData = ShellFolder(CSIDL_LOCAL_APPDATA);
  if (appData.empty() || localData.empty()) return 0;
  const std::string appBase = WithBackslash(appData) + sub;
  const TFileRead ini = ReadWholeFile(appBase + "profiles.ini", PROFILES_INI_LIMIT);
  if (!ini.Ok()) return 0;
  auto list = std::make_unique<TProfileList>();
  list->Profiles = ProfilesFromIni(ini.Bytes, appBase, WithBackslash(localData) + sub);
  if (list->Profiles.empty()) return 0;
  const auto handle = reinterpret_cast<MiscProfiles>(list.release());
  TLockGuard guard(HandleLock());
  OpenHandles().insert(handle);
  return handle;
}

int MISC_CALL ProfileCount(MiscProfiles handle) {
  TLockGuard guard(HandleLock());
  if (!OpenHandles().count(handle)) return 0;
  return static_cast<int>(reinterpret_cast<const TProfileList*>(handle)->Profiles.size());
}

MiscBool MISC_CALL ProfileCacheFolder(MiscProfiles handle, int index, char* buffer, int* outLength,
                                      int size) {
  TProfileFolders profile;
  return ProfileAt(handle, index, profile) && PutText(profile.Cache, buffer, size, outLength);
}

MiscBool MISC_CALL ProfileCookiesFolder(MiscProfiles handle, int index, char* buffer, int* outLength,
                                        int size) {
  TProfileFolders profile;
  return ProfileAt(handle, index, profile) && PutText(profile.Cookies, buffer, size, outLength);
}

// Frees the list and sets the caller's variable to 0.
MiscBool MISC_CALL CloseProfiles(MiscProfiles* handle) {
  if (!handle) return FALSE;
  {
    TLockGuard guard(HandleLock());
    if (!OpenHandles().erase(*handle)) return FALSE;
  }
  delete reinterpret_cast<TProfileList*>(*handle);
  *handle = 0;
  return TRUE;
}

}  // extern "C"

}  // namespace qlm::misc
