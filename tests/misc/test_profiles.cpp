#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/misc/uMiscLibrary.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

// A browser folder below the application data, removed with the test.
class TBrowserFolder {
 public:
  TBrowserFolder() {
    fAppData = SlotPath(MiscLibrary().PathAppData) + "\\";
    fLocal = SlotPath(MiscLibrary().PathLocalAppData) + "\\";
    ::CreateDirectoryA((fAppData + "QuillmereTest").c_str(), nullptr);
    ::CreateDirectoryA((fAppData + "QuillmereTest\\Browser").c_str(), nullptr);
  }
  ~TBrowserFolder() {
    ::DeleteFileA((Folder() + "profiles.ini").c_str());
    ::RemoveDirectoryA((fAppData + "QuillmereTest\\Browser").c_str());
    ::RemoveDirectoryA((fAppData + "QuillmereTest").c_str());
  }
  std::string Folder() const { return fAppData + "QuillmereTest\\Browser\\"; }
  const std::string& AppData() const { return fAppData; }
  const std::string& Local() const { return fLocal; }

 private:
  std::string fAppData;
  std::string fLocal;
};

std::string Folder(MiscProfileFolderFn slot, MiscProfiles handle, int index) {
  char buffer[MISC_PROFILE_BUFFER] = {};
  int length = -1;
  if (!slot(handle, index, buffer, &length, sizeof buffer)) return "<false>";
  return std::string(buffer, length);
}

}  // namespace

TEST(MiscProfiles, RelativeAndAbsoluteProfilesOfProfilesIni) {
  const IMisc& misc = MiscLibrary();
  TBrowserFolder browser;
  WriteFileBytes(browser.Folder() + "profiles.ini",
                 "[General]\r\nStartWithLastProfile=1\r\n\r\n"
                 "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/abcd.default\r\n\r\n"
                 "[Profile1]\r\nName=moved\r\nIsRelative=0\r\nPath=D:\\Moved\\Profile\r\n\r\n"
                 "[Profile2]\r\nName=inside\r\nIsRelative=0\r\nPath=" +
                     browser.Folder() + "Profiles\\inside\r\n\r\n"
                 "[Profile3]\r\nName=no path\r\n"
                 "[Profile4]\r\nName=only a slash\r\nPath=/\r\n"
                 "[Profile5]\r\nName=no drive\r\nIsRelative=0\r\nPath=Profiles/x\r\n");
  MiscProfiles handle = misc.OpenProfiles("QuillmereTest\\Browser\\");
  ASSERT_NE(handle, 0u);
  ASSERT_EQ(misc.ProfileCount(handle), 3);
  const std::string local = browser.Local() + "QuillmereTest\\Browser\\";
  EXPECT_EQ(Folder(misc.ProfileCookiesFolder, handle, 0), browser.Folder() + "Profiles\\abcd.default\\");
  EXPECT_EQ(Folder(misc.ProfileCacheFolder, handle, 0), local + "Profiles\\abcd.default\\Cache\\");
  EXPECT_EQ(Folder(misc.ProfileCookiesFolder, handle, 1), "D:\\Moved\\Profile\\");
  EXPECT_EQ(Folder(misc.ProfileCacheFolder, handle, 1), "D:\\Moved\\Profile\\Cache\\");
  EXPECT_EQ(Folder(misc.ProfileCookiesFolder, handle, 2), browser.Folder() + "Profiles\\inside\\");
  EXPECT_EQ(Folder(misc.ProfileCacheFolder, handle, 2), local + "Profiles\\inside\\Cache\\");

  EXPECT_EQ(Folder(misc.ProfileCacheFolder, handle, 3), "<false>");
  EXPECT_EQ(Folder(misc.ProfileCacheFolder, handle, -1), "<false>");
  char small[8] = {};
  int length = -1;
  EXPECT_FALSE(misc.ProfileCookiesFolder(handle, 0, small, &length, sizeof small));

  EXPECT_TRUE(misc.CloseProfiles(&handle));
  EXPECT_EQ(handle, 0u);
}

TEST(MiscProfiles, NoProfilesGiveHandleZeroAndStaleHandlesFail) {
  const IMisc& misc = MiscLibrary();
  TBrowserFolder browser;
  EXPECT_EQ(misc.OpenProfiles("QuillmereTest\\Browser\\"), 0u) << "no profiles.ini";
  WriteFileBytes(browser.Folder() + "profiles.ini", "[General]\r\nStartWithLastProfile=1\r\n");
  EXPECT_EQ(misc.OpenProfiles("QuillmereTest\\Browser\\"), 0u) << "no profile in it";
  EXPECT_EQ(misc.OpenProfiles("QuillmereTest\\Missing\\"), 0u);

  WriteFileBytes(browser.Folder() + "profiles.ini", "[Profile0]\nPath=Profiles/x\n");
  MiscProfiles handle = misc.OpenProfiles("QuillmereTest\\Browser");
  ASSERT_NE(handle, 0u);
  const MiscProfiles stale = handle;
  ASSERT_TRUE(misc.CloseProfiles(&handle));
  EXPECT_EQ(misc.ProfileCount(stale), 0);
  EXPECT_EQ(Folder(misc.ProfileCookiesFolder, stale, 0), "<false>");
  MiscProfiles again = stale;
  EXPECT_FALSE(misc.CloseProfiles(&again)) << "closing twice";
  EXPECT_EQ(misc.ProfileCount(12345), 0);
}

// The engine thread walks the profiles while the main thread asks for
// folders: each handle stays its own.
TEST(MiscProfiles, TwoThreadsOpenReadAndCloseAtOnce) {
  const IMisc& misc = MiscLibrary();
  TBrowserFolder browser;
  WriteFileBytes(browser.Folder() + "profiles.ini",
                 "[Profile0]\r\nIsRelative=1\r\nPath=Profiles/one\r\n"
                 "[Profile1]\r\nIsRelative=1\r\nPath=Profiles/two\r\n");
  const std::string expected = browser.Folder() + "Profiles\\two\\";
  std::atomic<int> failures{0};
  const auto work = [&] {
    for (int round = 0; round < 200; ++round) {
      MiscProfiles handle = misc.OpenProfiles("QuillmereTest\\Browser\\");
      if (misc.ProfileCount(handle) != 2 ||
          Folder(misc.ProfileCookiesFolder, handle, 1) != expected ||
          SlotPath(misc.PathWindows) == "<false>" || !misc.CloseProfiles(&handle)) {
        ++failures;
      }
    }
  };
  std::thread engine(work);
  work();
  engine.join();
  EXPECT_EQ(failures.load(), 0);
}
