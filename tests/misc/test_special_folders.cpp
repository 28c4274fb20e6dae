#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/uHandles.h"
#include "tests/misc/uMiscLibrary.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

struct TFolderSlot {
  const char* Name;
  MiscPathFn Slot;
};

}  // namespace

TEST(MiscSpecialFolders, EveryFolderOfThePrefixExistsWithoutTrailingBackslash) {
  const IMisc& misc = MiscLibrary();
  const TFolderSlot present[] = {
      {"PathAppData", misc.PathAppData},           {"PathCommonAppData", misc.PathCommonAppData},
      {"PathCookies", misc.PathCookies},           {"PathIeCache", misc.PathIeCache},
      {"PathLocalAppData", misc.PathLocalAppData}, {"PathProfiles", misc.PathProfiles},
      {"PathCommonFiles", misc.PathCommonFiles},   {"PathProgramFiles", misc.PathProgramFiles},
      {"PathRecent", misc.PathRecent},             {"PathUserProfile", misc.PathUserProfile},
      {"PathUserTemp", misc.PathUserTemp},         {"PathWindows", misc.PathWindows},
      {"PathSystem", misc.PathSystem},             {"PathWindowsTemp", misc.PathWindowsTemp},
  };
  for (const TFolderSlot& folder : present) {
    const std::string path = SlotPath(folder.Slot);
    ASSERT_NE(path, "<false>") << folder.Name;
    EXPECT_TRUE(IsExistingFolder(path)) << folder.Name << " " << path;
    EXPECT_NE(path.back(), '\\') << folder.Name;
  }
}

TEST(MiscSpecialFolders, FoldersOfTheSameTreeRelate) {
  const IMisc& misc = MiscLibrary();
  const std::string windows = SlotPath(misc.PathWindows);
  EXPECT_EQ(misc.IsSubFolder(SlotPath(misc.PathSystem).c_str(), windows.c_str()), -1);
  EXPECT_EQ(misc.IsSubFolder(SlotPath(misc.PathWindowsTemp).c_str(), (windows + "\\temp").c_str()), 0);
  EXPECT_EQ(misc.IsSubFolder(SlotPath(misc.PathUserProfile).c_str(),
                             SlotPath(misc.PathProfiles).c_str()),
            -1);
  // The temporary folder comes in its long form, comparable with the others.
  EXPECT_EQ(SlotPath(misc.PathUserTemp).find('~'), std::string::npos);
}

TEST(MiscSpecialFolders, FoldersThatThisWindowsLacksAnswerFalse) {
  const IMisc& misc = MiscLibrary();
  // A fresh prefix has no crash dumps, no Outlook Express identity, no
  // Office, no Opera and no prefetch folder.
  for (MiscPathFn slot : {misc.PathCrashDumps, misc.PathOeStore, misc.PathOfficeRecent,
                          misc.PathOperaCache, misc.PathPrefetch}) {
    EXPECT_EQ(SlotPath(slot), "<false>");
  }
}

namespace {

// Creates each missing level of base + "\" + sub; removes what it created.
class TMadeFolders {
 public:
  TMadeFolders(const std::string& base, const std::string& sub) {
    std::string path = base;
    std::size_t start = 0;
    while (start < sub.size()) {
      const std::size_t end = std::min(sub.find('\\', start), sub.size());
      path += "\\" + sub.substr(start, end - start);
      if (::CreateDirectoryA(path.c_str(), nullptr)) fMade.push_back(path);
      start = end + 1;
    }
  }
  ~TMadeFolders() {
    for (auto it = fMade.rbegin(); it != fMade.rend(); ++it) ::RemoveDirectoryA(it->c_str());
  }

 private:
  std::vector<std::string> fMade;
};

struct TDerivedFolder {
  const char* Name;
  MiscPathFn Slot;
  MiscPathFn Base;
  const char* Sub;
};

}  // namespace

TEST(MiscSpecialFolders, DerivedFoldersAppearWhenTheyExist) {
  const IMisc& misc = MiscLibrary();
  const TDerivedFolder folders[] = {
      {"PathCrashDumps", misc.PathCrashDumps, misc.PathLocalAppData, "CrashDumps"},
      {"PathOfficeRecent", misc.PathOfficeRecent, misc.PathAppData, "Microsoft\\Office\\Recent"},
      {"PathPrefetch", misc.PathPrefetch, misc.PathWindows, "Prefetch"},
      {"PathOperaCache", misc.PathOperaCache, misc.PathLocalAppData, "Opera\\Opera\\cache"},
      {"PathOperaCache", misc.PathOperaCache, misc.PathLocalAppData,
       "Opera\\Opera\\profile\\cache4"},
  };
  for (const TDerivedFolder& folder : folders) {
    const std::string base = SlotPath(folder.Base);
    {
      TMadeFolders made(base, folder.Sub);
      EXPECT_EQ(misc.IsSubFolder(SlotPath(folder.Slot).c_str(), (base + "\\" + folder.Sub).c_str()),
                0)
          << folder.Name << " " << folder.Sub;
    }
    EXPECT_EQ(SlotPath(folder.Slot), "<false>") << folder.Name << " after the folder went";
  }
}

TEST(MiscSpecialFolders, ATooSmallBufferAnswersFalse) {
  const IMisc& misc = MiscLibrary();
  const std::string windows = SlotPath(misc.PathWindows);
  char buffer[MISC_PATH_BUFFER] = "unchanged";
  int length = -1;
  EXPECT_FALSE(misc.PathWindows(buffer, static_cast<int>(windows.size()), &length));
  EXPECT_STREQ(buffer, "unchanged");
  EXPECT_TRUE(misc.PathWindows(buffer, static_cast<int>(windows.size()) + 1, &length));
  EXPECT_EQ(length, static_cast<int>(windows.size()));
  EXPECT_FALSE(misc.PathWindows(nullptr, MISC_PATH_BUFFER, &length));
  EXPECT_FALSE(misc.PathWindows(buffer, MISC_PATH_BUFFER, nullptr));
}

namespace {

// A key below the current user that names an installed test program.
class TInstallKey {
 public:
  explicit TInstallKey(const std::string& name) : fName("Software\\QuillmereTest\\" + name) {
    ::RegCreateKeyExA(HKEY_CURRENT_USER, fName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &fKey, nullptr);
  }
  ~TInstallKey() {
    ::RegCloseKey(fKey);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, fName.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuillmereTest");
  }
  void Set(const char* value, const std::string& text) {
    ::RegSetValueExA(fKey, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
  }
  const std::string& Name() const { return fName; }

 private:
  std::string fName;
  HKEY fKey = nullptr;
};

std::string InstallFolder(const std::string& key, const char* executable) {
  char buffer[MISC_PATH_BUFFER] = {};
  int length = -1;
  if (!MiscLibrary().AppInstallFolder(buffer, sizeof buffer, &length, key.c_str(), executable)) {
    return "<false>";
  }
  return std::string(buffer, length);
}

}  // namespace

TEST(MiscSpecialFolders, AppInstallFolderFollowsTheKeysValues) {
  TTempFolder app;
  WriteFileBytes(app.Path() + "tool.exe", "MZ");

  TInstallKey location("ByLocation");
  location.Set("InstallLocation", app.Path().substr(0, app.Path().size() - 1));
  EXPECT_EQ(InstallFolder(location.Name(), "tool.exe"), app.Path());
  EXPECT_EQ(InstallFolder(location.Name(), "other.exe"), "<false>");

  TInstallKey command("ByDefault");
  command.Set(nullptr, "\"" + app.Path() + "TOOL.EXE\" /quiet");
  EXPECT_EQ(InstallFolder(command.Name(), "tool.exe"), app.Path());

  EXPECT_EQ(InstallFolder("Software\\QuillmereTest\\Missing", "tool.exe"), "<false>");

  // The local machine's key comes first.
  TTempFolder machineApp;
  WriteFileBytes(machineApp.Path() + "tool.exe", "MZ");
  HKEY machine = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, location.Name().c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &machine, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExA(machine, "InstallLocation", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(machineApp.Path().c_str()),
                   static_cast<DWORD>(machineApp.Path().size() + 1));
  ::RegCloseKey(machine);
  EXPECT_EQ(InstallFolder(location.Name(), "tool.exe"), machineApp.Path());
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, location.Name().c_str());
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\QuillmereTest");
  EXPECT_EQ(InstallFolder(location.Name(), ""), "<false>");
  EXPECT_EQ(InstallFolder("", "tool.exe"), "<false>");
}

TEST(MiscSpecialFolders, AppInstallFolderReadsBothMachineViews) {
  TTempFolder app;
  WriteFileBytes(app.Path() + "tool32.exe", "MZ");
  const char* name = "Software\\QuillmereTest\\Only32";
  HKEY created = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, name, 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &created, nullptr),
            ERROR_SUCCESS);
  TRegKey key(created);
  ::RegSetValueExA(key.Get(), "InstallLocation", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(app.Path().c_str()),
                   static_cast<DWORD>(app.Path().size() + 1));
  EXPECT_EQ(InstallFolder(name, "tool32.exe"), app.Path());
  key.Reset();
  ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, name, KEY_WOW64_32KEY, 0);
  ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\QuillmereTest", KEY_WOW64_32KEY, 0);
}
