// Special folders: the shell's folder service, the environment and the
// registry. Every folder is given in its long form without a trailing
// backslash (a drive root keeps its own), and only when it exists on this
// Windows.
#include <windows.h>

#include <shlobj.h>
#include <userenv.h>

#include <string>
#include <vector>

#include "base/uFileSystem.h"
#include "base/uHandles.h"
#include "base/uPathRules.h"
#include "base/uPathText.h"
#include "base/uText.h"
#include "misc/miscSlots.h"
#include "misc/miscSystem.h"
#include "misc/miscText.h"

namespace qlm::misc {

namespace {

// The long form of a path that the system may give in short (8.3) form, so
// that every special folder compares with the others by its text.
std::string LongPath(const std::string& path) {
  char longPath[MAX_PATH];
  const DWORD length = ::GetLongPathNameA(path.c_str(), longPath, MAX_PATH);
  return (length > 0 && length < MAX_PATH) ? std::string(longPath, length) : path;
}

std::string Below(const std::string& folder, const char* sub) {
  return folder.empty() ? std::string() : WithBackslash(folder) + sub;
}

// A text value of an open key (expandable ones expanded); empty when missing.
std::string ReadKeyText(HKEY key, const char* value) {
  char data[MAX_PATH * 2] = {};
  DWORD type = 0;
  DWORD bytes = sizeof data - 1;
  if (::RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return {};
  }
  if (type == REG_SZ) return data;
  char expanded[MAX_PATH * 2];
  const DWORD length = ::ExpandEnvironmentStringsA(data, expanded, sizeof expanded);
  return (length > 0 && length <= sizeof expanded) ? std::string(expanded) : std::string();
}

std::string ReadText(HKEY root, const std::string& keyName, const char* value) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(root, keyName.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return {};
  TRegKey key(opened);
  return ReadKeyText(key.Get(), value);
}

// The system's own Windows folder, also for a terminal-server user who has a
// private one.
std::string WindowsFolder() {
  char path[MAX_PATH];
  const UINT length = ::GetSystemWindowsDirectoryA(path, MAX_PATH);
  return (length > 0 && length < MAX_PATH) ? std::string(path, length) : std::string();
}

}  // namespace

std::string FindUserTemp() {
  char path[MAX_PATH];
  const DWORD length = ::GetTempPathA(MAX_PATH, path);
  return (length > 0 && length < MAX_PATH) ? std::string(path, length) : std::string();
}

std::string FindProfiles() {
  char path[MAX_PATH];
  DWORD length = MAX_PATH;
  return ::GetProfilesDirectoryA(path, &length) ? std::string(path) : std::string();
}

// The store root of the current Outlook Express identity.
std::string FindOeStore() {
  std::string identity = ReadText(HKEY_CURRENT_USER, "Identities", "Last User ID");
  if (identity.empty() || identity.find_first_not_of("{}0-") == std::string::npos) {
    identity = ReadText(HKEY_CURRENT_USER, "Identities", "Default User ID");
  }
  if (identity.empty()) return {};
  return ReadText(HKEY_CURRENT_USER,
                  "Identities\\" + identity + "\\Software\\Microsoft\\Outlook Express\\5.0",
                  "Store Root");
}

// Opera keeps its cache below the local application data: "cache4" in the
// profile folder of the later versions, "cache" in the earlier ones.
std::string FindOperaCache() {
  const std::string opera = Below(ShellFolder(CSIDL_LOCAL_APPDATA), "Opera\\Opera");
  for (const char* cache : {"\\profile\\cache4", "\\cache4", "\\cache"}) {
    if (IsExistingFolder(opera + cache)) return opera + cache;
  }
  return {};
}

namespace {

// The folder of an executable named by a registry value: a path, perhaps in
// double quotes and followed by arguments, whose file name is the executable.
std::string FolderOfExecutable(const std::string& command, const std::string& executable) {
  std::string path = command;
  if (!path.empty() && path.front() == '"') {
    path = path.substr(1, path.find('"', 1) - 1);
  } else {
    const auto found = LowerText(path).find(LowerText(executable));
    if (found != std::string::npos) path = path.substr(0, found + executable.size());
  }
  const auto slash = path.find_last_of('\\');
  if (slash == std::string::npos) return {};
  if (!SameTextIgnoringCase(path.substr(slash + 1), executable)) return {};
  return path.substr(0, slash + 1);
}

// The machine's registry views, the native one first; a 32-bit Windows has
// only the one.
std::vector<REGSAM> MachineRegistryViews() {
#ifdef _WIN64
  return {0, KEY_WOW64_32KEY};
#else
  if (NativeRegistryView()) return {NativeRegistryView(), 0};
  return {0};
#endif
}

std::string InstallFolderBelow(HKEY root, REGSAM view, const std::string& keyName,
                               const std::string& executable) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(root, keyName.c_str(), 0, KEY_QUERY_VALUE | view, &opened) !=
      ERROR_SUCCESS) {
    return {};
  }
  TRegKey key(opened);
  const std::string location = ReadKeyText(key.Get(), "InstallLocation");
  if (!location.empty() && IsExistingFile(WithBackslash(location) + executable)) {
    return WithBackslash(location);
  }
  const std::string folder = FolderOfExecutable(ReadKeyText(key.Get(), nullptr), executable);
  return (!folder.empty() && IsExistingFile(folder + executable)) ? folder : std::string();
}

}  // namespace

std::string FindAppData() { return ShellFolder(CSIDL_APPDATA); }
std::string FindCommonAppData() { return ShellFolder(CSIDL_COMMON_APPDATA); }
std::string FindCookies() { return ShellFolder(CSIDL_COOKIES); }
std::string FindCrashDumps() { return Below(ShellFolder(CSIDL_LOCAL_APPDATA), "CrashDumps"); }
std::string FindIeCache() { return ShellFolder(CSIDL_INTERNET_CACHE); }
std::string FindLocalAppData() { return ShellFolder(CSIDL_LOCAL_APPDATA); }
std::string FindOfficeRecent() { return Below(ShellFolder(CSIDL_APPDATA), "Microsoft\\Office\\Recent"); }
std::string FindPrefetch() { return Below(WindowsFolder(), "Prefetch"); }
std::string FindCommonFiles() { return ShellFolder(CSIDL_PROGRAM_FILES_COMMON); }
std::string FindProgramFiles() { return ShellFolder(CSIDL_PROGRAM_FILES); }
std::string FindRecent() { return ShellFolder(CSIDL_RECENT); }
std::string FindUserProfile() { return ShellFolder(CSIDL_PROFILE); }
std::string FindWindows() { return WindowsFolder(); }
std::string FindSystem() { return ShellFolder(CSIDL_SYSTEM); }
std::string FindWindowsTemp() { return Below(WindowsFolder(), "Temp"); }

MiscBool GiveFolder(const std::string& folder, char* buffer, int size, int* outLength) {
  if (folder.empty() || !IsAbsolutePath(folder)) return FALSE;
  const std::string text = WithoutTrailingBackslash(LongPath(folder));
  if (!IsExistingFolder(text)) return FALSE;
  return PutText(text, buffer, size, outLength);
}

extern "C" {

MiscBool MISC_CALL AppInstallFolder(char* buffer, int size, int* outLength, const char* registryKey,
                                    const char* executable) {
  const std::string key(ArgText(registryKey));
  const std::string name(ArgText(executable));
  if (key.empty() || name.empty() || name.find('\\') != std::string::npos) return FALSE;
  // A 64-bit Windows keeps the keys of 64-bit programs in its native view
  // and those of 32-bit programs in the other one; both are asked, the native
  // one first, whichever view this build reads by default.
  std::string folder;
  for (const REGSAM view : MachineRegistryViews()) {
    if (folder.empty()) folder = InstallFolderBelow(HKEY_LOCAL_MACHINE, view, key, name);
  }
  if (folder.empty()) folder = InstallFolderBelow(HKEY_CURRENT_USER, 0, key, name);
  return !folder.empty() && PutText(LongPath(folder), buffer, size, outLength);
}

}  // extern "C"

}  // namespace qlm::misc
