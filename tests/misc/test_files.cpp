#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <vector>

#include "tests/misc/uMiscLibrary.h"
#include "tests/support/uTestSupport.h"

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

namespace {

bool IsLinkOnDisk(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A junction: an empty folder made a mount point of the target.
bool MakeJunction(const std::string& link, const std::string& target) {
  if (!::CreateDirectoryA(link.c_str(), nullptr)) return false;
  const std::wstring substitute = L"\\??\\" + std::wstring(target.begin(), target.end()) + L"\\";
  const std::size_t nameBytes = substitute.size() * sizeof(wchar_t);
  // Tag, data length, reserved; then the four offsets and lengths of the
  // substitute and print names; then both names, each with its zero.
  std::vector<char> data(8 + 8 + nameBytes + 2 + 2, '\0');
  const auto put16 = [&](std::size_t at, std::size_t value) {
    data[at] = static_cast<char>(value & 0xFF);
    data[at + 1] = static_cast<char>((value >> 8) & 0xFF);
  };
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  std::memcpy(data.data(), &tag, 4);
  put16(4, data.size() - 8);
  put16(8, 0);
  put16(10, nameBytes);
  put16(12, nameBytes + 2);
  put16(14, 0);
  std::memcpy(data.data() + 16, substitute.data(), nameBytes);
  TFileHandle folder(::CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  DWORD returned = 0;
  const bool made = folder && ::DeviceIoControl(folder.Get(), FSCTL_SET_REPARSE_POINT, data.data(),
                                                static_cast<DWORD>(data.size()), nullptr, 0,
                                                &returned, nullptr);
  folder.Reset();
  if (!made || !IsLinkOnDisk(link)) {
    ::RemoveDirectoryA(link.c_str());
    return false;
  }
  return true;
}

// A directory symbolic link or, failing that, a junction, where this Windows
// can make one: the result is checked on the disk, as Wine 8 answers the
// symbolic link call without making anything.
bool MakeFolderLink(const std::string& link, const std::string& target) {
  using CreateLinkFn = BOOLEAN(WINAPI*)(LPCSTR, LPCSTR, DWORD);
  const auto create = reinterpret_cast<CreateLinkFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
  if (create && create(link.c_str(), target.c_str(), 1 /* directory */) && IsLinkOnDisk(link)) {
    return true;
  }
  return MakeJunction(link, target);
}

}  // namespace

TEST(MiscFiles, RemoveTreeNeverFollowsALinkOutOfTheTree) {
  TTempFolder folder;
  const std::string outside = folder.Path() + "documents";
  ASSERT_TRUE(::CreateDirectoryA(outside.c_str(), nullptr));
  WriteFileBytes(outside + "\\precious.txt", "keep me");
  const std::string root = folder.Path() + "temp";
  ASSERT_TRUE(::CreateDirectoryA(root.c_str(), nullptr));
  WriteFileBytes(root + "\\junk.tmp", "junk");
  if (!MakeFolderLink(root + "\\link", outside)) {
    GTEST_SKIP() << "this Windows (Wine 8) makes neither a symbolic link nor a junction";
  }
  std::int64_t size = 0;
  std::int64_t count = 0;
  ASSERT_TRUE(MiscLibrary().FolderTotals(root.c_str(), &size, &count));
  EXPECT_EQ(count, 1) << "the link counts as nothing";
  EXPECT_TRUE(MiscLibrary().RemoveTree(root.c_str(), 0, 0));
  EXPECT_FALSE(IsExistingFolder(root));
  EXPECT_EQ(ReadFileBytes(outside + "\\precious.txt"), "keep me");
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
