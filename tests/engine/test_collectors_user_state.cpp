// Scans through the real services library over the user's own browser
// profile list and history lists of the Wine prefix.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/uText.h"
#include "engine/uProgressQueue.h"
#include "startup/uMiscLoad.h"
#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

constexpr char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

std::string RealFolder(MiscPathFn slot) {
  char buffer[MISC_PATH_BUFFER] = {};
  int length = 0;
  return slot(buffer, MISC_PATH_BUFFER, &length) ? MiscText(buffer, length) + "\\" : "";
}

// Firefox's profiles.ini in the user's application data, naming profile
// folders of the test; what was there before comes back afterwards.
class TFirefoxProfiles {
 public:
  TFirefoxProfiles(const IMisc& misc, const std::vector<std::string>& profiles) {
    const std::string mozilla = RealFolder(misc.PathAppData) + "Mozilla\\";
    fFolders = {mozilla, mozilla + "Firefox\\"};
    for (const std::string& folder : fFolders) {
      fMade.push_back(::CreateDirectoryA(folder.c_str(), nullptr) != 0);
    }
    fIni = fFolders.back() + "profiles.ini";
    fHadIni = IsExistingFile(fIni);
    if (fHadIni) fSaved = ReadFileBytes(fIni);
    std::string ini = "[General]\r\nStartWithLastProfile=1\r\n";
    for (std::size_t i = 0; i < profiles.size(); ++i) {
      ini += "\r\n[Profile" + std::to_string(i) + "]\r\nName=p" + std::to_string(i) +
             "\r\nIsRelative=0\r\nPath=" + profiles[i] + "\r\n";
    }
    WriteFileBytes(fIni, ini);
  }
  ~TFirefoxProfiles() {
    if (fHadIni) {
      WriteFileBytes(fIni, fSaved);
    } else {
      ::DeleteFileA(fIni.c_str());
    }
    for (std::size_t i = fFolders.size(); i-- > 0;) {
      if (fMade[i]) ::RemoveDirectoryA(fFolders[i].c_str());
    }
  }

 private:
  std::vector<std::string> fFolders;
  std::vector<bool> fMade;
  std::string fIni;
  bool fHadIni = false;
  std::string fSaved;
};

void SetTypedUrl(const char* name, const std::string& url) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kTypedUrls, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
            ERROR_SUCCESS);
  TRegKey owned(key);
  ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(url.c_str()),
                   static_cast<DWORD>(url.size() + 1));
}

std::string CookieLine(const std::string& host, int n) {
  return host + "\tFALSE\t/\tFALSE\t1999999999\tid\t" + std::to_string(n) + "\r\n";
}

// Ten cookies, three of them from tracking hosts.
std::string CookiesTxt() {
  std::string text = "# Netscape HTTP Cookie File\r\n";
  const char* hosts[] = {".news.org",   ".tracker.com", "www.bank.com", "ads.tracker.com",
                         ".shop.net",   "mail.org",     ".adnet.io",    "www.news.org",
                         ".forum.info", "wiki.org"};
  for (int i = 0; i < 10; ++i) text += CookieLine(hosts[i], i);
  return text;
}

std::string Summary(const TFileRec& rec, const std::string& root) {
  const std::string where = rec.Path().empty() ? rec.Caption().Str() : rec.Path().substr(root.size());
  return std::to_string(rec.Category) + " " + where + " " + std::to_string(rec.Count) + " " +
         std::to_string(rec.Size) + (rec.Locked ? " locked" : "");
}

}  // namespace

TEST(CollectorsUserState, FirefoxProfilesOfTheUserGiveTheirItems) {
  TRealMisc real;
  ASSERT_TRUE(real.Bound());
  TScanFixture f;
  TStandInMisc::BorrowServices(real.Record());
  const std::string r = f.Root();
  const TFirefoxProfiles profiles(real.Record(), {r + "P0", r + "P1", r + "P2"});
  TCore core;
  TCoreInit init = f.Init();
  init.Options.Core.FirefoxCache = init.Options.Core.FirefoxCookies = true;
  core.SetInit(init);
  ASSERT_TRUE(core.CompileFolders());
  std::vector<std::string> items;
  for (const auto& item : core.Folders()) {
    items.push_back(std::to_string(item->Category) + " " + item->Folder + " " +
                    DelimitedText(*item->IncludeMasks));
  }
  const std::string l = LowerText(r);
  EXPECT_EQ(items, (std::vector<std::string>{
                       "14 " + l + "p0\\cache\\ *", "15 " + l + "p0\\ cookies.txt",
                       "14 " + l + "p1\\cache\\ *", "15 " + l + "p1\\ cookies.txt",
                       "14 " + l + "p2\\cache\\ *", "15 " + l + "p2\\ cookies.txt"}));
  std::vector<std::string> info;
  for (const TLogLine& line : f.Entries()) {
    if (line.Level == 4) info.push_back(line.Text);
  }
  EXPECT_EQ(info, (std::vector<std::string>{"Profile0 Cache: ADD", "Profile0 Cookies: ADD",
                                            "Profile1 Cache: ADD", "Profile1 Cookies: ADD",
                                            "Profile2 Cache: ADD", "Profile2 Cookies: ADD"}));
}

// Every category of the browsers and the mail programs at once, over the
// user's Firefox profiles and address-bar list.
TEST(CollectorsUserState, ScanOfEveryBrowserAndMailCategoryFindsExactlyTheJunk) {
  TRealMisc real;
  ASSERT_TRUE(real.Bound());
  TScanFixture f;
  TStandInMisc::BorrowServices(real.Record());
  const std::string r = f.Root();
  MakeTree(r, {"app\\", "app\\defines\\", "Cookies\\", "Cache\\", "Cache\\X1\\", "WIN\\",
               "WIN\\ie7updates\\", "WIN\\ie7updates\\KB1\\", "WIN\\ie7updates\\KB1\\spuninst\\",
               "WIN\\ie7updates\\KB2\\", "WIN\\ie8updates\\", "OE\\", "P0\\", "P0\\Cache\\", "P1\\",
               "P1\\Cache\\"});
  WriteFileBytes(r + "app\\defines\\cookies.def", "[1.0.0]\r\ntracker.com\r\nadnet.io\r\n");
  const std::string inf =
      "[Version]\r\nNtServicePackVersionText=KB1\r\n"
      "NtServicePackVersionFullText=Update for Internet Explorer (KB1)\r\n";
  WriteFileBytes(r + "WIN\\ie7updates\\KB1\\spuninst\\spuninst.inf", inf);
  MakeTree(r, {"Cookies\\index.dat=5", "Cache\\index.dat=9", "Cache\\desktop.ini",
               "Cache\\X1\\page.htm=6", "P0\\Cache\\entry=11", "P1\\Cache\\entry=12"});
  const std::string adsCookie = "id\n1\nads.tracker.com/\n1024\n1\n2\n3\n4\n*\n";
  WriteFileBytes(r + "Cookies\\user@ads[1].txt", adsCookie);
  WriteFileBytes(r + "Cookies\\user@bank[1].txt", "id\n1\nwww.bank.com/\n1024\n1\n2\n3\n4\n*\n");
  const std::string cookies = CookiesTxt();
  WriteFileBytes(r + "P0\\cookies.txt", cookies);
  WriteFileBytes(r + "P1\\cookies.txt", CookieLine("www.bank.com", 1));
  const TFirefoxProfiles profiles(real.Record(), {r + "P0", r + "P1"});
  auto& folders = TStandInMisc::Folders;
  folders[47] = r + "Cookies";
  folders[51] = r + "Cache";
  folders[66] = r + "WIN";
  folders[54] = r + "OE";
  const std::string store = DbxStore(12);
  WriteFileBytes(r + "OE\\Deleted Items.dbx", store);
  const IMisc& misc = real.Record();
  ASSERT_TRUE(misc.CleanAddressBar());
  ASSERT_TRUE(misc.CleanIeHistory());
  ASSERT_TRUE(misc.CleanMruLists());
  SetTypedUrl("url1", "http://example.com/");   // 20 bytes with its zero
  SetTypedUrl("url2", "http://example.org/a");  // 21 bytes

  TOptions options;
  options.SelFoundObjs = true;
  options.Main.AppFolder = r + "app\\";
  TCoreOptions& o = options.Core;
  o.Cookies.Enabled = o.Cookies.UseDefault = o.Cookies.IndexDat = true;
  o.IeCache = o.IeIndexDat = o.IeUpdates = o.IeHistory = o.AddrBarUrls = o.Mru = true;
  o.OeDeleted = o.OlDeleted = o.OlJunk = true;
  o.FirefoxCache = o.FirefoxCookies = o.FlockCache = o.FlockCookies = true;
  TCore core;
  f.ScanWith(core, options);
  misc.CleanAddressBar();

  std::vector<std::string> found;
  for (const auto& rec : FoundList.Window()) found.push_back(Summary(*rec, LowerText(r)));
  std::sort(found.begin(), found.end());
  const std::string trackers =
      CookieLine(".tracker.com", 1) + CookieLine("ads.tracker.com", 3) + CookieLine(".adnet.io", 6);
  const std::vector<std::string> expected = {
      "1 cookies\\index.dat 1 5 locked",
      "1 cookies\\user@ads[1].txt 1 " + std::to_string(adsCookie.size()),
      "13 oe\\Deleted Items.dbx 12 " + std::to_string(store.size()),
      "14 p0\\cache\\entry 1 11",
      "14 p1\\cache\\entry 1 12",
      "15 p0\\cookies.txt 3 " + std::to_string(trackers.size()),
      "18 Internet Explorer Address Bar History 2 41",
      "2 cache\\X1\\page.htm 1 6",
      "2 cache\\index.dat 1 9 locked",
      // The update's folder totals: the one file in its "spuninst" folder.
      "9 win\\ie7updates\\KB1 1 " + std::to_string(inf.size()),
  };
  EXPECT_EQ(found, expected);
  EXPECT_FALSE(f.Recorder.Messages.back().Item.Failed);
}
