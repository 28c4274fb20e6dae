#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <vector>

#include "base/uDateTime.h"
#include "tests/misc/uMiscLibrary.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

TEST(MiscFiles, RemoveFileRemovesAReadOnlyFile) {
  TTempFolder folder;
  const std::string file = folder.Path() + "locked.txt";
  WriteFileBytes(file, "x");
  ASSERT_TRUE(::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(MiscLibrary().RemoveFile(file.c_str()));
  EXPECT_FALSE(IsExistingFile(file));
  EXPECT_FALSE(MiscLibrary().RemoveFile(file.c_str())) << "nothing left to remove";
  EXPECT_FALSE(MiscLibrary().RemoveFile(folder.Path().c_str())) << "a folder is no file";
}

// A name that the single-byte functions could not represent comes back with
// "?" in it; acting on it as a wildcard would take the neighbours along.
TEST(MiscFiles, WildcardsAndRelativePathsAreNeverActedOn) {
  const IMisc& misc = MiscLibrary();
  TTempFolder folder;
  WriteFileBytes(folder.Path() + "ab1.txt", "1");
  WriteFileBytes(folder.Path() + "ab2.txt", "2");
  WriteFileBytes(folder.Path() + "cookies.txt", "host\tTRUE\t/\tFALSE\t0\tn\tv\n");
  TDefineList all({"host"});
  for (const std::string& path : {folder.Path() + "ab?.txt", folder.Path() + "*.txt",
                                  folder.Path() + "sub\\..\\ab1.txt"}) {
    EXPECT_FALSE(misc.RemoveFile(path.c_str())) << path;
    EXPECT_FALSE(misc.RecycleFile(path.c_str())) << path;
    EXPECT_FALSE(misc.RemoveTree((folder.Path() + "*").c_str(), 0, 0)) << path;
  }
  EXPECT_FALSE(misc.MozCleanCookies((folder.Path() + "cookie?.txt").c_str(), all.Get(), TRUE));
  EXPECT_EQ(ListFiles(folder.Path(), "*"),
            (std::vector<std::string>{"ab1.txt", "ab2.txt", "cookies.txt"}));

  char current[MAX_PATH];
  ::GetCurrentDirectoryA(MAX_PATH, current);
  ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
  EXPECT_FALSE(misc.RemoveFile("ab1.txt"));
  EXPECT_FALSE(misc.RecycleFile("ab2.txt"));
  EXPECT_FALSE(misc.MozCleanCookies("cookies.txt", all.Get(), TRUE));
  ::SetCurrentDirectoryA(current);
  EXPECT_EQ(ListFiles(folder.Path(), "*").size(), 3u);
  EXPECT_EQ(ReadFileBytes(folder.Path() + "cookies.txt"), "host\tTRUE\t/\tFALSE\t0\tn\tv\n");
}

namespace {

// root\a.txt (3 bytes), root\sub\b.txt (5 bytes, read-only), root\sub\deep\c.txt (7 bytes),
// root\empty\ (no files).
void MakeTree(const std::string& root) {
  ASSERT_TRUE(::CreateDirectoryA(root.c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA((root + "\\sub").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA((root + "\\sub\\deep").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA((root + "\\empty").c_str(), nullptr));
  WriteFileBytes(root + "\\a.txt", "aaa");
  WriteFileBytes(root + "\\sub\\b.txt", "bbbbb");
  WriteFileBytes(root + "\\sub\\deep\\c.txt", "ccccccc");
  ::SetFileAttributesA((root + "\\sub\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ::SetFileAttributesA((root + "\\sub").c_str(), FILE_ATTRIBUTE_READONLY);
}

}  // namespace

TEST(MiscFiles, FolderTotalsCountsTheFilesOfTheWholeTree) {
  TTempFolder folder;
  const std::string root = folder.Path() + "tree";
  MakeTree(root);
  std::int64_t size = -1;
  std::int64_t count = -1;
  ASSERT_TRUE(MiscLibrary().FolderTotals(root.c_str(), &size, &count));
  EXPECT_EQ(size, 15);
  EXPECT_EQ(count, 3);
  ASSERT_TRUE(MiscLibrary().FolderTotals((root + "\\empty\\").c_str(), &size, &count));
  EXPECT_EQ(size, 0);
  EXPECT_EQ(count, 0);
  EXPECT_FALSE(MiscLibrary().FolderTotals((root + "\\none").c_str(), &size, &count));
  EXPECT_FALSE(MiscLibrary().FolderTotals((root + "\\a.txt").c_str(), &size, &count));
}

TEST(MiscFiles, RemoveTreeRemovesTheFolderWithEverythingInIt) {
  TTempFolder folder;
  const std::string root = folder.Path() + "tree";
  MakeTree(root);
  EXPECT_TRUE(MiscLibrary().RemoveTree((root + "\\").c_str(), 0, 0));
  EXPECT_FALSE(IsExistingFolder(root));
  EXPECT_TRUE(IsExistingFolder(folder.Path())) << "the parent stays";
  EXPECT_FALSE(MiscLibrary().RemoveTree(root.c_str(), 0, 0)) << "nothing left to remove";
}

TEST(MiscFiles, RemoveTreeRefusesDriveRoots) {
  for (const char* root : {"C:\\", "C:", "c:/", "\\\\server\\share\\", "C:\\windows\\..",
                           "C:\\windows\\..\\", "C:\\.\\windows\\..\\"}) {
    EXPECT_FALSE(MiscLibrary().RemoveTree(root, 0, 0)) << root;
  }
  EXPECT_TRUE(IsExistingFolder("C:\\windows"));
}

// Everything beside the link goes, nothing behind it is touched. A junction
// goes with the tree; Wine's stand-in, a host link, cannot be removed by
// any Windows call, so there the link and the folder holding it stay.
TEST(MiscFiles, RemoveTreeNeverFollowsALinkOutOfTheTree) {
  const TLinkTree tree("misc-remove-tree", {"temp\\link"});
  if (!tree.Made()) GTEST_SKIP() << "this system makes no junctions and no link was prepared";
  WriteFileBytes(tree.Outside() + "precious.txt", "keep me");
  ASSERT_TRUE(::CreateDirectoryA((tree.Outside() + "empty").c_str(), nullptr));
  const std::string root = tree.Root() + "temp";
  ASSERT_TRUE(::CreateDirectoryA((root + "\\sub").c_str(), nullptr));
  WriteFileBytes(root + "\\junk.tmp", "junk");
  WriteFileBytes(root + "\\sub\\more.tmp", "more");
  std::int64_t size = 0;
  std::int64_t count = 0;
  ASSERT_TRUE(MiscLibrary().FolderTotals(root.c_str(), &size, &count));
  EXPECT_EQ(count, 2) << "the link counts as nothing";
  EXPECT_EQ(size, 8);
  const bool removed = MiscLibrary().RemoveTree(root.c_str(), 0, 0);
  EXPECT_EQ(ReadFileBytes(tree.Outside() + "precious.txt"), "keep me");
  EXPECT_TRUE(IsExistingFolder(tree.Outside() + "empty"));
  EXPECT_FALSE(IsExistingFile(root + "\\junk.tmp"));
  EXPECT_FALSE(IsExistingFolder(root + "\\sub"));
  if (tree.Junctions()) {
    EXPECT_TRUE(removed);
    EXPECT_FALSE(IsExistingFolder(root));
  } else {
    EXPECT_TRUE(IsLinkOnDisk(root + "\\link"));
  }
}

// The test run puts the programs in Central European time (UTC+1, in summer
// UTC+2), so that one of the two dates lies in the other season than today.
TEST(MiscFiles, FileTimeToDateUsesTheOffsetInForceOnThatDate) {
  TIME_ZONE_INFORMATION zone;
  ASSERT_NE(::GetTimeZoneInformation(&zone), TIME_ZONE_ID_INVALID);
  if (zone.Bias != -60 || zone.DaylightBias != -60) {
    GTEST_SKIP() << "needs Central European time (TZ=Europe/Berlin)";
  }
  struct Case {
    SYSTEMTIME universal;
    double expected;
  } cases[] = {
      {{2009, 1, 4, 15, 12, 0, 0, 0}, 39828.0 + 13.0 / 24},
      {{2009, 7, 3, 15, 12, 0, 0, 0}, 40009.0 + 14.0 / 24},
  };
  for (const Case& c : cases) {
    FILETIME fileTime;
    ASSERT_TRUE(::SystemTimeToFileTime(&c.universal, &fileTime));
    double date = 0;
    ASSERT_TRUE(MiscLibrary().FileTimeToDate(
        (static_cast<std::uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime,
        &date));
    EXPECT_NEAR(date, c.expected, 0.5 / 86400) << "month " << c.universal.wMonth;
  }
  EXPECT_FALSE(MiscLibrary().FileTimeToDate(0, nullptr));
}

// The offset a day keeps is remembered; the two days on which the clocks
// change must still give each moment its own offset, whichever moment of
// the day is asked first. Every ten minutes of those days and the days
// around them, in an order that asks late moments before early ones,
// against the system's own conversion.
TEST(MiscFiles, FileTimeToDateFollowsTheClockChangesWithinADay) {
  TIME_ZONE_INFORMATION zone;
  ASSERT_NE(::GetTimeZoneInformation(&zone), TIME_ZONE_ID_INVALID);
  if (zone.Bias != -60 || zone.DaylightBias != -60) {
    GTEST_SKIP() << "needs Central European time (TZ=Europe/Berlin)";
  }
  constexpr std::uint64_t TEN_MINUTES = 6000000000ULL;
  for (const SYSTEMTIME& day : {SYSTEMTIME{2009, 3, 0, 28, 0, 0, 0, 0},
                                SYSTEMTIME{2009, 10, 0, 24, 0, 0, 0, 0}}) {
    FILETIME start;
    ASSERT_TRUE(::SystemTimeToFileTime(&day, &start));
    const std::uint64_t first =
        (static_cast<std::uint64_t>(start.dwHighDateTime) << 32) | start.dwLowDateTime;
    constexpr int STEPS = 3 * 144;
    for (int i = 0; i < STEPS; ++i) {
      // 0, 431, 1, 430, ...: both ends of every day before its middle.
      const int step = i % 2 == 0 ? i / 2 : STEPS - 1 - i / 2;
      const std::uint64_t ticks = first + step * TEN_MINUTES;
      const FILETIME universal{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
      SYSTEMTIME universalTime;
      SYSTEMTIME localTime;
      ASSERT_TRUE(::FileTimeToSystemTime(&universal, &universalTime));
      ASSERT_TRUE(::SystemTimeToTzSpecificLocalTime(nullptr, &universalTime, &localTime));
      FILETIME local;
      ASSERT_TRUE(::SystemTimeToFileTime(&localTime, &local));
      const double expected = FileTimeToDateTime(
          (static_cast<std::uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime);
      double date = 0;
      ASSERT_TRUE(MiscLibrary().FileTimeToDate(ticks, &date));
      EXPECT_NEAR(date, expected, 0.5 / 86400)
          << "month " << universalTime.wMonth << " day " << universalTime.wDay << " "
          << universalTime.wHour << ":" << universalTime.wMinute;
    }
  }
}

TEST(MiscFiles, FileVersionTextReadsTheVersionResource) {
  char buffer[MISC_TEXT_BUFFER] = {};
  char system[MAX_PATH];
  ::GetSystemDirectoryA(system, MAX_PATH);
  const std::string kernel = std::string(system) + "\\kernel32.dll";
  const int written = MiscLibrary().FileVersionText(kernel.c_str(), buffer, sizeof buffer);
  ASSERT_GT(written, 0);
  EXPECT_EQ(written, static_cast<int>(std::strlen(buffer)));
  EXPECT_TRUE(std::regex_match(buffer, std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << buffer;
  EXPECT_EQ(MiscLibrary().FileVersionText(kernel.c_str(), buffer, 3), 0);

  TTempFolder folder;
  WriteFileBytes(folder.Path() + "plain.txt", "no resource");
  EXPECT_EQ(MiscLibrary().FileVersionText((folder.Path() + "plain.txt").c_str(), buffer, 64), 0);
  EXPECT_EQ(MiscLibrary().FileVersionText((folder.Path() + "none.dll").c_str(), buffer, 64), 0);
}

TEST(MiscFiles, SizeToTextGivesTheSameTextForTheSameNumber) {
  const IMisc& misc = MiscLibrary();
  const auto text = [&](std::int64_t bytes) {
    char buffer[MISC_TEXT_BUFFER] = {};
    int length = -1;
    return misc.SizeToText(buffer, sizeof buffer, &length, bytes) ? std::string(buffer, length)
                                                                  : "<false>";
  };
  EXPECT_EQ(text(1536), text(1536));
  EXPECT_NE(text(1536), text(15360000));
  EXPECT_NE(text(0), "<false>");
  EXPECT_NE(text(5000000000000ll), "<false>");
  EXPECT_EQ(text(-1), "<false>");
  char small[2] = {};
  int length = -1;
  EXPECT_FALSE(misc.SizeToText(small, sizeof small, &length, 1536));
}

TEST(MiscFiles, FixedDriveRootsJoinsTheRootsWithTheSeparator) {
  char buffer[MISC_DRIVES_BUFFER] = {};
  int length = -1;
  ASSERT_TRUE(MiscLibrary().FixedDriveRoots("|", buffer, sizeof buffer, &length));
  const std::string roots(buffer, length);
  EXPECT_EQ(roots.substr(0, 3), "C:\\") << roots;
  for (std::size_t at = roots.find('|'); at != std::string::npos; at = roots.find('|', at + 1)) {
    EXPECT_EQ(roots.substr(at + 2, 2), ":\\") << roots;
  }
  EXPECT_FALSE(MiscLibrary().FixedDriveRoots("|", buffer, 3, &length));
  EXPECT_FALSE(MiscLibrary().FixedDriveRoots(nullptr, buffer, sizeof buffer, &length));
  EXPECT_FALSE(MiscLibrary().FixedDriveRoots("", buffer, sizeof buffer, &length));
}

// A name outside the code page reads "a?b.txt" through the single-byte
// functions; the shell would take that "?" as a wildcard and recycle the
// neighbours "a_b.txt" and "axb.txt" along with it.
TEST(MiscFiles, ANameThatCouldNotBeReadIsNeverActedOn) {
  const std::wstring unreadable = L"a\u0436b.txt";
  BOOL lossy = FALSE;
  char narrow[32];
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, unreadable.c_str(), -1, narrow, sizeof narrow,
                        nullptr, &lossy);
  if (!lossy) GTEST_SKIP() << "this code page can write the name";

  const IMisc& misc = MiscLibrary();
  TTempFolder folder;
  const std::string root = folder.Path() + "tree\\";
  ASSERT_TRUE(::CreateDirectoryA(root.c_str(), nullptr));
  const std::wstring wideRoot(root.begin(), root.end());
  {
    TFileHandle file(::CreateFileW((wideRoot + unreadable).c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
  }
  WriteFileBytes(root + "a_b.txt", "neighbour");
  WriteFileBytes(root + "axb.txt", "neighbour");
  ASSERT_EQ(ListFiles(root, "*"), (std::vector<std::string>{"a?b.txt", "a_b.txt", "axb.txt"}));

  EXPECT_FALSE(misc.RecycleFile((root + "a?b.txt").c_str()));
  EXPECT_FALSE(misc.RemoveFile((root + "a?b.txt").c_str()));
  EXPECT_EQ(ListFiles(root, "*").size(), 3u);

  EXPECT_FALSE(misc.RemoveTree(root.c_str(), 0, 0)) << "the unreadable file keeps its folder";
  EXPECT_EQ(ListFiles(root, "*"), std::vector<std::string>{"a?b.txt"});
  EXPECT_TRUE(::DeleteFileW((wideRoot + unreadable).c_str()));
}
