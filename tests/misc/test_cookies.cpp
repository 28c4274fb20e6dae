#include <gtest/gtest.h>

#include "tests/misc/uMiscLibrary.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

// Records of an Internet Explorer cookie file.
std::string IeRecord(const std::string& host) {
  return "id\n1234\n" + host + "/\n1024\n3567587328\n30000000\n1866236224\n29900000\n*\n";
}

const TDefineList& Trackers() {
  static const TDefineList list({"doubleclick.net", " ADS.example.com ", "*tracker*", ""});
  return list;
}

const std::string ORDINARY_LINES =
    "# Netscape HTTP Cookie File\r\n"
    "# comment kept\r\n"
    "\r\n"
    ".mybank.com\tTRUE\t/\tFALSE\t1999999999\tsession\tabc\r\n"
    "www.news.org\tFALSE\t/\tFALSE\t1999999999\tpref\tdark\r\n"
    "notdoubleclick.net\tFALSE\t/\tFALSE\t1999999999\tx\ty\r\n";
const std::string TRACKING_LINES[] = {
    ".doubleclick.net\tTRUE\t/\tFALSE\t1999999999\tid\t1\r\n",
    "ad.ads.example.com\tFALSE\t/\tFALSE\t1999999999\tuid\t22\r\n",
    "#HttpOnly_.mytracker.io\tTRUE\t/\tFALSE\t1999999999\tt\t333\r\n",
};

std::string CookiesTxt() {
  return ORDINARY_LINES.substr(0, 47) + TRACKING_LINES[0] + ORDINARY_LINES.substr(47) +
         TRACKING_LINES[1] + TRACKING_LINES[2];
}

}  // namespace

TEST(MiscCookies, InternetExplorerCookieFilesByTheirHosts) {
  const IMisc& misc = MiscLibrary();
  TTempFolder folder;
  const std::string ordinary = folder.Path() + "user@mybank[1].txt";
  const std::string tracking = folder.Path() + "user@doubleclick[2].txt";
  const std::string masked = folder.Path() + "user@tracker[1].txt";
  WriteFileBytes(ordinary, IeRecord("www.mybank.com") + IeRecord("mybank.com"));
  WriteFileBytes(tracking, IeRecord("www.mybank.com") + IeRecord("ad.doubleclick.net"));
  WriteFileBytes(masked, IeRecord("stats.mytracker.io"));
  EXPECT_FALSE(misc.IsTrackingCookieFile(ordinary.c_str(), Trackers().Get()));
  EXPECT_TRUE(misc.IsTrackingCookieFile(tracking.c_str(), Trackers().Get()));
  EXPECT_TRUE(misc.IsTrackingCookieFile(masked.c_str(), Trackers().Get()));
  const TDefineList none({});
  EXPECT_FALSE(misc.IsTrackingCookieFile(tracking.c_str(), none.Get()));
  EXPECT_FALSE(misc.IsTrackingCookieFile((folder.Path() + "missing.txt").c_str(), Trackers().Get()));
}

TEST(MiscCookies, CookiesTxtCountsOnlyTrackingLines) {
  const IMisc& misc = MiscLibrary();
  TTempFolder folder;
  const std::string file = folder.Path() + "cookies.txt";
  WriteFileBytes(file, CookiesTxt());
  EXPECT_TRUE(misc.MozHasTrackingCookie(file.c_str(), Trackers().Get()));
  std::int64_t count = -1;
  std::int64_t size = -1;
  ASSERT_TRUE(misc.MozCountCookies(file.c_str(), Trackers().Get(), &count, &size));
  EXPECT_EQ(count, 3);
  std::int64_t bytes = 0;
  for (const std::string& line : TRACKING_LINES) bytes += line.size();
  EXPECT_EQ(size, bytes);

  WriteFileBytes(file, ORDINARY_LINES);
  EXPECT_FALSE(misc.MozHasTrackingCookie(file.c_str(), Trackers().Get()));
  ASSERT_TRUE(misc.MozCountCookies(file.c_str(), Trackers().Get(), &count, &size));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(size, 0);
}

TEST(MiscCookies, CleanKeepsTheOrdinaryLinesByteForByte) {
  const IMisc& misc = MiscLibrary();
  TTempFolder folder;
  const std::string file = folder.Path() + "cookies.txt";
  WriteFileBytes(file, CookiesTxt());
  ASSERT_TRUE(misc.MozCleanCookies(file.c_str(), Trackers().Get(), FALSE));
  EXPECT_EQ(ReadFileBytes(file), ORDINARY_LINES);
  EXPECT_EQ(ListFiles(folder.Path(), "*"), std::vector<std::string>{"cookies.txt"})
      << "no temporary file is left behind";

  WriteFileBytes(file, CookiesTxt());
  ASSERT_TRUE(misc.MozCleanCookies(file.c_str(), Trackers().Get(), TRUE));
  EXPECT_EQ(ReadFileBytes(file), "# Netscape HTTP Cookie File\r\n# comment kept\r\n\r\n");
}

TEST(MiscCookies, AFailedCleanLeavesTheFileWhole) {
  const IMisc& misc = MiscLibrary();
  TTempFolder folder;
  const std::string file = folder.Path() + "cookies.txt";
  WriteFileBytes(file, CookiesTxt());
  {
    // The browser holds the file open and lets nobody replace it.
    TFileHandle held(::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(misc.MozCleanCookies(file.c_str(), Trackers().Get(), FALSE));
  }
  EXPECT_EQ(ReadFileBytes(file), CookiesTxt());
  EXPECT_EQ(ListFiles(folder.Path(), "*"), std::vector<std::string>{"cookies.txt"})
      << "the temporary file is removed again";
}

namespace {

struct THostCase {
  const char* Host;
  const char* Definition;
  bool Tracking;
};

}  // namespace

TEST(MiscCookies, HostRules) {
  const THostCase cases[] = {
      {"doubleclick.net", "doubleclick.net", true},
      {".doubleclick.net", "doubleclick.net", true},
      {"ad.DoubleClick.NET", "doubleclick.net", true},
      {"notdoubleclick.net", "doubleclick.net", false},
      {"doubleclick.net.example.org", "doubleclick.net", false},
      {"net", "doubleclick.net", false},
      {"stats.tracker.io", "*tracker*", true},
      {"ad1.example.com", "ad?.example.com", true},
      {"ad12.example.com", "ad?.example.com", false},
      {"adb.example.com", "ad[a-c].example.com", true},
      {"adx.example.com", "ad[a-c].example.com", false},
      {"adx.example.com", "ad[!a-c].example.com", true},
      {"ad[.example.com", "ad[.example.com*", false},
  };
  TTempFolder folder;
  const std::string file = folder.Path() + "cookies.txt";
  for (const THostCase& c : cases) {
    WriteFileBytes(file, std::string(c.Host) + "\tTRUE\t/\tFALSE\t0\tname\tvalue\n");
    const TDefineList list({c.Definition});
    EXPECT_EQ(MiscLibrary().MozHasTrackingCookie(file.c_str(), list.Get()) != FALSE, c.Tracking)
        << c.Host << " / " << c.Definition;
  }
}
