// Special folders from the services library, and folder specifications with
// a token in braces ("{win}\temp") expanded into existing folders.
#include <array>

#include "base/uFileSystem.h"
#include "base/uMasks.h"
#include "base/uText.h"
#include "engine/uScanContext.h"
#include "startup/uMiscLoad.h"
#include "startup/uTraceFormat.h"

namespace qlm {

namespace {

struct TToken {
  const char* Name;
  MiscPathFn IMisc::*Slot;
};

// Compared in this order; "{appinstall}" is handled on its own.
constexpr std::array<TToken, 10> kTokens = {{
    {"{localappdata}", &IMisc::PathLocalAppData},
    {"{operacache}", &IMisc::PathOperaCache},
    {"{commonappdata}", &IMisc::PathCommonAppData},
    {"{sys}", &IMisc::PathSystem},
    {"{win}", &IMisc::PathWindows},
    {"{profiles}", &IMisc::PathProfiles},
    {"{userprofile}", &IMisc::PathUserProfile},
    {"{appdata}", &IMisc::PathAppData},
    {"{pfcommon}", &IMisc::PathCommonFiles},
    {"{pf}", &IMisc::PathProgramFiles},
}};

}  // namespace

std::string SpecialFolder(MiscPathFn IMisc::*slot) {
  char buffer[MISC_PATH_BUFFER] = {};
  int length = 0;
  if (Misc == nullptr || !(Misc->*slot)(buffer, MISC_PATH_BUFFER, &length)) return std::string();
  std::string folder = MiscText(buffer, length);
  if (!folder.empty()) folder += '\\';
  return folder;
}

std::string AppInstallFolder(const std::string& searchKey, const std::string& searchExe) {
  char buffer[MISC_PATH_BUFFER] = {};
  int length = 0;
  if (Misc == nullptr || !Misc->AppInstallFolder(buffer, MISC_PATH_BUFFER, &length,
                                                 searchKey.c_str(), searchExe.c_str())) {
    return std::string();
  }
  return MiscText(buffer, length);
}

std::string TScanContext::GetSpecialFolder(const std::string& token, const std::string& searchKey,
                                           const std::string& searchExe) const {
  for (const TToken& known : kTokens) {
    if (token == known.Name) return SpecialFolder(known.Slot);
  }
  if (token == "{appinstall}") return AppInstallFolder(searchKey, searchExe);
  Log(LVL_WARNING, "Special Folder \"" + token + "\" not define!");
  return std::string();
}

std::string TScanContext::GetFolderCustomDefine(const std::string& spec,
                                                const std::string& searchKey,
                                                const std::string& searchExe) const {
  Log(LVL_DEBUG, "C_GetFolderCustomDefine : " + spec);
  std::string result;
  const std::size_t open = spec.find('{');
  const std::size_t close = spec.find('}');
  if (open != std::string::npos && close != std::string::npos && close > open) {
    result = spec.substr(0, open) +
             GetSpecialFolder(LowerText(spec.substr(open, close - open + 1)), searchKey, searchExe);
    const std::string rest = spec.substr(close + 1);
    if (!result.empty() && !rest.empty()) {
      if (rest.front() == '\\' && result.back() == '\\') result.pop_back();
      result = ExpandEnvironment(result + rest);
    }
  } else if (spec.find('|') != std::string::npos) {
    Log(LVL_WARNING, "Not supported!");
  } else {
    result = spec;
  }
  if (result.empty() || !IsExistingFolder(result)) return std::string();
  return result.back() == '\\' ? result : result + '\\';
}

std::string ExpandEnvironment(const std::string& text) {
  char buffer[MISC_PATH_BUFFER];
  const DWORD length = ::ExpandEnvironmentStringsA(text.c_str(), buffer, MISC_PATH_BUFFER);
  // The length counts the terminating zero; anything longer did not fit.
  if (length == 0 || length > MISC_PATH_BUFFER) return std::string();
  return std::string(buffer, length - 1);
}

}  // namespace qlm
