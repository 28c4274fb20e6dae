#include "engine/uUpdateFolders.h"

#include <cstdint>

#include "base/uDirEnum.h"
#include "base/uHandles.h"
#include "base/uText.h"
#include "engine/uScanContext.h"
#include "engine/uUpdateKeys.h"
#include "startup/uMiscLoad.h"

namespace qlm {

namespace {

bool AnythingMatches(const std::string& folder, const std::string& pattern) {
  TDirEntry entry;
  return TDirEnum(folder, pattern).Next(entry);
}

}  // namespace

std::string SpuninstFile(const std::string& folder) {
  return (!folder.empty() && folder.back() == '\\' ? folder : folder + '\\') +
         "spuninst\\spuninst.inf";
}

std::string ReadSpuninstValue(const std::string& infFile, const std::string& name) {
  char buffer[1024] = {};
  const DWORD length = ::GetPrivateProfileStringA("Version", name.c_str(), "", buffer,
                                                  sizeof buffer, infFile.c_str());
  return std::string(buffer, length);
}

bool IsSecurityUpdate(const std::string& id, const std::string& title) {
  char buffer[MISC_REGTEXT_BUFFER] = {};
  std::string text;
  const std::string key = UNINSTALL_KEY + id;
  if (Misc != nullptr && Misc->RegReadText(MACHINE_ROOT, key.c_str(), "DisplayName", buffer)) {
    text.assign(buffer, ::strnlen(buffer, sizeof buffer));
  } else {
    if (title.empty()) return false;
    text = title;
  }
  return LowerText(text).find("security") != std::string::npos;
}

bool IsOrphanUpdate(const std::string& path) {
  if (Misc == nullptr) return false;
  const std::string name = LastPathComponent(path);
  const std::string key = UNINSTALL_KEY + name;
  if (!Misc->RegKeyExists(MACHINE_ROOT, key.c_str())) return true;
  std::int32_t noRemove = 0;
  if (!Misc->RegReadNumber(MACHINE_ROOT, key.c_str(), "NoRemove", &noRemove)) noRemove = 0;
  if (noRemove != 0) return false;
  // Without the Windows folder its uninstallation folder cannot be ruled out.
  const std::string windows = SpecialFolder(&IMisc::PathWindows);
  if (windows.empty()) return false;
  if (AnythingMatches(windows, "ie7updates\\" + name)) return false;
  if (AnythingMatches(windows, "$*" + name + "*$")) return false;
  return true;
}

}  // namespace qlm
