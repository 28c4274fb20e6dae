#include <gtest/gtest.h>

#include <windows.h>

#include <wininet.h>

#include "tests/misc/uMiscLibrary.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

constexpr char TYPED_URLS[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr char RUN_MRU[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr char SAVE_MRU_TXT[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU\\txt";

void SetUserText(const char* key, const char* name, const std::string& text) {
  HKEY opened = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                              nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
  ::RegCloseKey(opened);
}

bool UserValueExists(const char* key, const char* name) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
    return false;
  }
  const bool found = ::RegQueryValueExA(opened, name, nullptr, nullptr, nullptr, nullptr) ==
                     ERROR_SUCCESS;
  ::RegCloseKey(opened);
  return found;
}

struct TTotals {
  std::int64_t Count = -1;
  std::int64_t Size = -1;
};

TTotals Totals(MiscTotalsFn slot) {
  TTotals totals;
  EXPECT_TRUE(slot(&totals.Count, &totals.Size));
  return totals;
}

}  // namespace

TEST(MiscHistory, AddressBarRoundTrip) {
  const IMisc& misc = MiscLibrary();
  ASSERT_TRUE(misc.CleanAddressBar());
  EXPECT_EQ(Totals(misc.AddressBarTotals).Count, 0);
  SetUserText(TYPED_URLS, "url1", "http://example.com/");   // 20 bytes with its zero
  SetUserText(TYPED_URLS, "url2", "http://example.org/a");  // 21 bytes
  const TTotals full = Totals(misc.AddressBarTotals);
  EXPECT_EQ(full.Count, 2);
  EXPECT_EQ(full.Size, 41);
  EXPECT_TRUE(misc.CleanAddressBar());
  EXPECT_EQ(Totals(misc.AddressBarTotals).Count, 0);
  HKEY key = nullptr;
  EXPECT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, TYPED_URLS, 0, KEY_READ, &key), ERROR_SUCCESS)
      << "the key itself stays";
  ::RegCloseKey(key);
}

TEST(MiscHistory, MruListsRoundTripAndNothingElseGoes) {
  const IMisc& misc = MiscLibrary();
  ASSERT_TRUE(misc.CleanMruLists());
  EXPECT_EQ(Totals(misc.MruTotals).Count, 0);
  SetUserText(RUN_MRU, "a", "notepad\\1");  // 10 bytes
  SetUserText(RUN_MRU, "MRUList", "a");     // 2 bytes
  SetUserText(SAVE_MRU_TXT, "a", "C:\\x.txt");  // 9 bytes
  SetUserText("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "Unrelated", "keep");
  const TTotals full = Totals(misc.MruTotals);
  EXPECT_EQ(full.Count, 3);
  EXPECT_EQ(full.Size, 21);
  EXPECT_TRUE(misc.CleanMruLists());
  EXPECT_EQ(Totals(misc.MruTotals).Count, 0);
  EXPECT_FALSE(UserValueExists(SAVE_MRU_TXT, "a"));
  EXPECT_TRUE(UserValueExists("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "Unrelated"));
  HKEY key = nullptr;
  ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", 0,
                  KEY_SET_VALUE, &key);
  ::RegDeleteValueA(key, "Unrelated");
  ::RegCloseKey(key);
}

TEST(MiscHistory, InternetExplorerHistoryRoundTrip) {
  const IMisc& misc = MiscLibrary();
  ASSERT_TRUE(misc.CleanIeHistory());
  EXPECT_EQ(Totals(misc.IeHistoryTotals).Count, 0);
  char user[64] = {};
  DWORD length = sizeof user;
  ::GetUserNameA(user, &length);
  const FILETIME never = {};
  for (const char* page : {"http://example.com/", "http://example.org/search?q=x"}) {
    const std::string name = std::string("Visited: ") + user + "@" + page;
    ASSERT_TRUE(::CommitUrlCacheEntryA(name.c_str(), nullptr, never, never, URLHISTORY_CACHE_ENTRY,
                                       nullptr, 0, nullptr, nullptr));
  }
  const TTotals full = Totals(misc.IeHistoryTotals);
  EXPECT_EQ(full.Count, 2);
  EXPECT_EQ(full.Size, 0);
  EXPECT_TRUE(misc.CleanIeHistory());
  EXPECT_EQ(Totals(misc.IeHistoryTotals).Count, 0);
}
