// Every slot given null, empty or too-small arguments answers failure and
// leaves the caller's variables alone; none of them may crash.
#include <gtest/gtest.h>

#include "tests/misc/uMiscLibrary.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

TEST(MiscBadArguments, PathSlotsWithNullOrTooSmallBuffers) {
  const IMisc& misc = MiscLibrary();
  for (MiscPathFn slot :
       {misc.PathAppData, misc.PathCommonAppData, misc.PathCookies, misc.PathCrashDumps,
        misc.PathIeCache, misc.PathLocalAppData, misc.PathOeStore, misc.PathOfficeRecent,
        misc.PathOperaCache, misc.PathPrefetch, misc.PathProfiles, misc.PathCommonFiles,
        misc.PathProgramFiles, misc.PathRecent, misc.PathUserProfile, misc.PathUserTemp,
        misc.PathWindows, misc.PathSystem, misc.PathWindowsTemp}) {
    char buffer[4] = "abc";
    int length = -1;
    EXPECT_FALSE(slot(nullptr, MISC_PATH_BUFFER, &length));
    EXPECT_FALSE(slot(buffer, MISC_PATH_BUFFER, nullptr));
    EXPECT_FALSE(slot(buffer, 0, &length));
    EXPECT_FALSE(slot(buffer, -5, &length));
    EXPECT_FALSE(slot(buffer, sizeof buffer, &length));
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(length, -1);
  }
  char buffer[MISC_PATH_BUFFER];
  int length = -1;
  EXPECT_FALSE(misc.AppInstallFolder(buffer, sizeof buffer, &length, nullptr, "a.exe"));
  EXPECT_FALSE(misc.AppInstallFolder(buffer, sizeof buffer, &length, "Software", nullptr));
  EXPECT_FALSE(misc.AppInstallFolder(nullptr, 0, nullptr, "Software", "a.exe"));
}

TEST(MiscBadArguments, FileSlotsWithNullOrEmptyPaths) {
  const IMisc& misc = MiscLibrary();
  std::int64_t a = -1;
  std::int64_t b = -1;
  char buffer[MISC_DRIVES_BUFFER];
  int length = -1;
  for (const char* path : {static_cast<const char*>(nullptr), ""}) {
    EXPECT_FALSE(misc.RemoveFile(path));
    EXPECT_FALSE(misc.RecycleFile(path));
    EXPECT_FALSE(misc.RemoveTree(path, 0, 0));
    EXPECT_FALSE(misc.FolderTotals(path, &a, &b));
    EXPECT_EQ(misc.FileVersionText(path, buffer, MISC_TEXT_BUFFER), 0);
    EXPECT_FALSE(misc.OeMessageCount(path, &length));
    EXPECT_EQ(misc.OpenProfiles(path), 0u);
  }
  EXPECT_FALSE(misc.FolderTotals("C:\\windows", nullptr, &b));
  EXPECT_FALSE(misc.FolderTotals("C:\\windows", &a, nullptr));
  EXPECT_EQ(misc.FileVersionText("C:\\windows\\system32\\kernel32.dll", nullptr, 64), 0);
  EXPECT_FALSE(misc.SizeToText(nullptr, 64, &length, 1));
  EXPECT_FALSE(misc.SizeToText(buffer, 64, nullptr, 1));
  EXPECT_FALSE(misc.FixedDriveRoots("|", nullptr, MISC_DRIVES_BUFFER, &length));
  EXPECT_FALSE(misc.FixedDriveRoots("|", buffer, MISC_DRIVES_BUFFER, nullptr));
  EXPECT_FALSE(misc.OeMessageCount("C:\\windows\\win.ini", nullptr));
  EXPECT_EQ(a, -1);
  EXPECT_EQ(b, -1);
  EXPECT_EQ(length, -1);
}

TEST(MiscBadArguments, TotalsSlotsWithNullCounters) {
  const IMisc& misc = MiscLibrary();
  std::int64_t value = -1;
  for (MiscTotalsFn slot : {misc.MruTotals, misc.AddressBarTotals, misc.IeHistoryTotals,
                            misc.RecycleBinTotals}) {
    EXPECT_FALSE(slot(nullptr, &value));
    EXPECT_FALSE(slot(&value, nullptr));
    EXPECT_FALSE(slot(nullptr, nullptr));
  }
  EXPECT_FALSE(misc.OutlookFolderTotals(MISC_OUTLOOK_DELETED, nullptr, nullptr));
  EXPECT_FALSE(misc.OutlookFolderTotals(6, &value, &value));
  EXPECT_FALSE(misc.EmptyOutlookFolder(6));
  EXPECT_EQ(value, -1);
}

TEST(MiscBadArguments, RegistryAndProfileSlotsWithNullArguments) {
  const IMisc& misc = MiscLibrary();
  const char key[] = "SOFTWARE\\Microsoft";
  std::int32_t number = -1;
  char text[MISC_REGTEXT_BUFFER] = {};
  EXPECT_FALSE(misc.RegKeyExists("machine", nullptr));
  EXPECT_FALSE(misc.RegKeyDelete("machine", nullptr));
  EXPECT_FALSE(misc.RegReadNumber("machine", key, nullptr, &number));
  EXPECT_FALSE(misc.RegReadNumber("machine", key, "x", nullptr));
  EXPECT_FALSE(misc.RegReadText("machine", key, nullptr, text));
  EXPECT_FALSE(misc.RegReadText("machine", key, "x", nullptr));
  EXPECT_EQ(number, -1);

  char buffer[MISC_PROFILE_BUFFER];
  int length = -1;
  EXPECT_EQ(misc.ProfileCount(0), 0);
  EXPECT_FALSE(misc.ProfileCacheFolder(0, 0, buffer, &length, sizeof buffer));
  EXPECT_FALSE(misc.ProfileCookiesFolder(0, 0, buffer, &length, sizeof buffer));
  EXPECT_FALSE(misc.CloseProfiles(nullptr));
  MiscProfiles none = 0;
  EXPECT_FALSE(misc.CloseProfiles(&none));
  EXPECT_EQ(length, -1);
}

TEST(MiscBadArguments, CookieSlotsWithNullArguments) {
  const IMisc& misc = MiscLibrary();
  TTempFolder folder;
  const std::string file = folder.Path() + "cookies.txt";
  WriteFileBytes(file, "tracker.com\tTRUE\t/\tFALSE\t0\tn\tv\n");
  const TDefineList trackers({"tracker.com"});
  const char* nullItems = nullptr;
  const MiscDefineList broken{3, nullptr};
  const MiscDefineList nullEntry{1, &nullItems};
  std::int64_t count = -1;
  std::int64_t size = -1;
  for (const char* path : {static_cast<const char*>(nullptr), ""}) {
    EXPECT_FALSE(misc.IsTrackingCookieFile(path, trackers.Get()));
    EXPECT_FALSE(misc.MozHasTrackingCookie(path, trackers.Get()));
    EXPECT_FALSE(misc.MozCleanCookies(path, trackers.Get(), TRUE));
    EXPECT_FALSE(misc.MozCountCookies(path, trackers.Get(), &count, &size));
  }
  EXPECT_FALSE(misc.IsTrackingCookieFile(file.c_str(), nullptr));
  EXPECT_FALSE(misc.MozHasTrackingCookie(file.c_str(), nullptr));
  EXPECT_FALSE(misc.MozCleanCookies(file.c_str(), nullptr, TRUE));
  EXPECT_FALSE(misc.MozCountCookies(file.c_str(), nullptr, &count, &size));
  EXPECT_FALSE(misc.MozCountCookies(file.c_str(), trackers.Get(), nullptr, &size));
  EXPECT_FALSE(misc.MozHasTrackingCookie(file.c_str(), &broken));
  EXPECT_FALSE(misc.MozHasTrackingCookie(file.c_str(), &nullEntry));
  EXPECT_EQ(count, -1);
  EXPECT_EQ(ReadFileBytes(file), "tracker.com\tTRUE\t/\tFALSE\t0\tn\tv\n");
}
