#include <gtest/gtest.h>

#include <algorithm>

#include "base/uText.h"
#include "engine/uProgressQueue.h"
#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

// Profiles of a stand-in browser: each profile's cache and cookie folder,
// an empty text being a folder the library cannot give.
struct TProfileFolders {
  std::string Cache;
  std::string Cookies;
};
std::vector<TProfileFolders> gProfiles;
std::string gOpenedSubPath;
bool gClosed = false;

MiscProfiles MISC_CALL OpenProfilesSlot(const char* subPath) {
  gOpenedSubPath = subPath;
  return gProfiles.empty() ? 0 : 7;
}
int MISC_CALL ProfileCountSlot(MiscProfiles) { return static_cast<int>(gProfiles.size()); }
MiscBool ProfileAnswer(const std::string& text, char* buffer, int* outLength) {
  if (text.empty()) return FALSE;
  text.copy(buffer, text.size());
  *outLength = static_cast<int>(text.size());
  return TRUE;
}
MiscBool MISC_CALL CacheSlot(MiscProfiles, int index, char* buffer, int* outLength, int) {
  return ProfileAnswer(gProfiles[index].Cache, buffer, outLength);
}
MiscBool MISC_CALL CookiesSlot(MiscProfiles, int index, char* buffer, int* outLength, int) {
  return ProfileAnswer(gProfiles[index].Cookies, buffer, outLength);
}
MiscBool MISC_CALL CloseProfilesSlot(MiscProfiles* handle) {
  gClosed = *handle == 7;
  *handle = 0;
  return TRUE;
}

// Totals that a stand-in Outlook or history list answers: -1 for failure.
std::map<int, std::int64_t> gTotals;
MiscBool Totals(int key, std::int64_t* count, std::int64_t* size) {
  const std::int64_t value = gTotals.count(key) ? gTotals[key] : 0;
  if (value < 0) return FALSE;
  *count = value;
  *size = value * 100;
  return TRUE;
}
MiscBool MISC_CALL OutlookSlot(int folderId, std::int64_t* count, std::int64_t* size) {
  return Totals(folderId, count, size);
}
MiscBool MISC_CALL IeHistorySlot(std::int64_t* count, std::int64_t* size) {
  return Totals(OBJTYPE_IE_HISTORY, count, size);
}
MiscBool MISC_CALL AddressBarSlot(std::int64_t* count, std::int64_t* size) {
  return Totals(OBJTYPE_IE_ADDRBAR, count, size);
}
MiscBool MISC_CALL MruSlot(std::int64_t* count, std::int64_t* size) {
  return Totals(OBJTYPE_MRU, count, size);
}

// Records of an Internet Explorer cookie file.
std::string IeCookie(const std::string& host) {
  return "id\n1234\n" + host + "/\n1024\n3567587328\n30000000\n1866236224\n29900000\n*\n";
}

// The stand-in services with the real library's cookie and mail rules and
// special folders below the fixture root, a program folder with a cookie
// definition file, and the engine.
class TBrowserFixture {
 public:
  TBrowserFixture() {
    EXPECT_TRUE(Real.Bound());
    TStandInMisc::BorrowServices(Real.Record());
    R = Scan.Root();
    MakeTree(R, {"app\\", "app\\defines\\", "Cookies\\", "Cache\\", "WIN\\", "OE\\"});
    WriteFileBytes(R + "app\\defines\\cookies.def", "[1.0.0]\r\ntracker.com\r\n");
    auto& f = TStandInMisc::Folders;
    f[47] = R + "Cookies";
    f[51] = R + "Cache";
    f[66] = R + "WIN";
    f[54] = R + "OE";
    Options.Main.AppFolder = R + "app\\";
    Options.Core.Cookies.UseDefault = true;
    Options.SelFoundObjs = true;
    gProfiles.clear();
    gTotals.clear();
    gClosed = false;
  }
  ~TBrowserFixture() { gProfiles.clear(); }
  void UseStandInProfiles() {
    IMisc& record = TStandInMisc::Record;
    record.OpenProfiles = &OpenProfilesSlot;
    record.ProfileCount = &ProfileCountSlot;
    record.ProfileCacheFolder = &CacheSlot;
    record.ProfileCookiesFolder = &CookiesSlot;
    record.CloseProfiles = &CloseProfilesSlot;
  }
  void UseStandInTotals() {
    IMisc& record = TStandInMisc::Record;
    record.OutlookFolderTotals = &OutlookSlot;
    record.IeHistoryTotals = &IeHistorySlot;
    record.AddressBarTotals = &AddressBarSlot;
    record.MruTotals = &MruSlot;
  }
  void Compile() {
    TCoreInit init = Scan.Init();
    init.Options = Options;
    Core.SetInit(init);
    EXPECT_TRUE(Core.CompileFolders());
  }
  // "category name count size locked" of every found object, sorted.
  std::vector<std::string> ScanFound() {
    FoundList.Window().clear();
    Scan.Recorder.Messages.clear();
    Scan.ScanWith(Core, Options);
    std::vector<std::string> found;
    for (const auto& rec : FoundList.Window()) {
      const std::string name =
          rec->Path().empty() ? rec->Caption().Str() : rec->Path().substr(rec->Path().rfind('\\') + 1);
      found.push_back(std::to_string(rec->Category) + " " + name + " " +
                      std::to_string(rec->Count) + " " + std::to_string(rec->Size) +
                      (rec->Locked ? " locked" : ""));
    }
    std::sort(found.begin(), found.end());
    return found;
  }
  std::vector<TLogLine> LinesAt(int level) const {
    std::vector<TLogLine> lines;
    for (const TLogLine& line : Scan.Entries()) {
      if (line.Level == level) lines.push_back(line);
    }
    return lines;
  }

  TRealMisc Real;
  TScanFixture Scan;
  TCore Core;
  TOptions Options;
  std::string R;
};

struct TItemView {
  int Category;
  std::string Folder;
  std::string Include;
  std::string Exclude;
  std::string FolderExclude;
  bool SubFolders;
  bool operator==(const TItemView&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TItemView& v) {
  return out << v.Category << " " << v.Folder << " [" << v.Include << "] [" << v.Exclude << "] ["
             << v.FolderExclude << "] " << v.SubFolders;
}

std::string ListText(const std::optional<TStringList>& list) {
  return list ? DelimitedText(*list) : "(none)";
}

std::vector<TItemView> ItemsOf(TCore& core) {
  std::vector<TItemView> items;
  for (const auto& item : core.Folders()) {
    EXPECT_TRUE(item->Nested);
    EXPECT_FALSE(item->RemoveEmptyFolders);
    items.push_back({item->Category, item->Folder, ListText(item->IncludeMasks),
                     ListText(item->ExcludeMasks), ListText(item->FolderExclude),
                     item->SubFolders});
  }
  return items;
}

}  // namespace

TEST(BrowserMailCollectors, ItemsInCollectorOrder) {
  const struct {
    bool IndexDat;
    bool IeIndexDat;
    const char* CookieMasks;
    const char* CacheExclude;
  } cases[] = {
      {false, false, "*@*.txt", "desktop.ini|index.dat"},
      {true, true, "*@*.txt|index.dat", "desktop.ini"},
  };
  for (const auto& c : cases) {
    TBrowserFixture f;
    f.UseStandInProfiles();
    gProfiles = {{f.R + "Local\\P0\\Cache\\", f.R + "Roaming\\P0\\"},
                 {"", f.R + "Roaming\\P1\\"},
                 {f.R + "Local\\P2\\Cache\\", f.R + "Roaming\\P2\\"}};
    TCoreOptions& o = f.Options.Core;
    o.Cookies.Enabled = o.IeCache = o.IeUpdates = o.OeDeleted = true;
    o.FirefoxCache = o.FirefoxCookies = true;
    o.Cookies.IndexDat = c.IndexDat;
    o.IeIndexDat = c.IeIndexDat;
    f.Compile();
    const std::string r = LowerText(f.R);
    const std::vector<TItemView> expected = {
        {1, r + "cookies\\", c.CookieMasks, "(none)", "(none)", false},
        {2, r + "cache\\", "*", c.CacheExclude, "*\\AntiPhishing\\", true},
        {9, r + "win\\ie7updates\\", "KB*", "(none)", "(none)", false},
        {9, r + "win\\ie8updates\\", "KB*", "(none)", "(none)", false},
        {13, r + "oe\\", "deleted?items.dbx", "(none)", "(none)", false},
        {14, r + "local\\p0\\cache\\", "*", "(none)", "(none)", false},
        {15, r + "roaming\\p0\\", "cookies.txt", "(none)", "(none)", false},
        {15, r + "roaming\\p1\\", "cookies.txt", "(none)", "(none)", false},
        {14, r + "local\\p2\\cache\\", "*", "(none)", "(none)", false},
        {15, r + "roaming\\p2\\", "cookies.txt", "(none)", "(none)", false},
    };
    EXPECT_EQ(ItemsOf(f.Core), expected);
    const std::vector<TLogLine> info = {
        {4, "Item cookies: ADD"},         {4, "Item IE Cache: ADD"},
        {4, "Item IE 7 updates: ADD"},    {4, "Item IE 8 updates: ADD"},
        {4, "Item Outlook Express: ADD"}, {4, "Profile0 Cache: ADD"},
        {4, "Profile0 Cookies: ADD"},     {4, "Profile1 Cookies: ADD"},
        {4, "Profile2 Cache: ADD"},       {4, "Profile2 Cookies: ADD"},
    };
    EXPECT_EQ(f.LinesAt(4), info);
    EXPECT_EQ(gOpenedSubPath, "Mozilla\\Firefox\\") << "Flock is off";
    EXPECT_TRUE(gClosed);
  }
}

TEST(BrowserMailCollectors, NoUpdateItemsWithoutTheWindowsFolder) {
  TBrowserFixture f;
  TStandInMisc::Folders.erase(66);
  f.Options.Core.IeUpdates = true;
  f.Compile();
  EXPECT_TRUE(f.Core.Folders().empty());
}

TEST(BrowserMailCollectors, FlockProfilesWithOnlyItsCookies) {
  TBrowserFixture f;
  f.UseStandInProfiles();
  gProfiles = {{f.R + "Cache0\\", f.R + "Profile0\\"}, {f.R + "Cache1\\", f.R + "Profile1\\"}};
  f.Options.Core.FlockCookies = true;
  f.Compile();
  const std::string r = LowerText(f.R);
  const std::vector<TItemView> expected = {
      {20, r + "profile0\\", "cookies.txt", "(none)", "(none)", false},
      {20, r + "profile1\\", "cookies.txt", "(none)", "(none)", false},
  };
  EXPECT_EQ(ItemsOf(f.Core), expected);
  EXPECT_EQ(gOpenedSubPath, "Flock\\Browser\\");
  // A browser without profiles adds nothing and logs nothing.
  gProfiles.clear();
  TCore other;
  TCoreInit init = f.Scan.Init();
  init.Options = f.Options;
  other.SetInit(init);
  ASSERT_TRUE(other.CompileFolders());
  EXPECT_TRUE(other.Folders().empty());
}

TEST(BrowserMailCollectors, InternetExplorerCookiesByTheDefinitions) {
  const struct {
    bool IndexDat;
    bool EraseAll;
    std::vector<std::string> Found;
  } cases[] = {
      {false, false, {"1 user@ads[1].txt 1 " + std::to_string(IeCookie("ads.tracker.com").size())}},
      {true,
       false,
       {"1 index.dat 1 5 locked",
        "1 user@ads[1].txt 1 " + std::to_string(IeCookie("ads.tracker.com").size())}},
      {false,
       true,
       {"1 user@ads[1].txt 1 " + std::to_string(IeCookie("ads.tracker.com").size()),
        "1 user@news[1].txt 1 " + std::to_string(IeCookie("news.org").size())}},
  };
  for (const auto& c : cases) {
    TBrowserFixture f;
    WriteFileBytes(f.R + "Cookies\\user@ads[1].txt", IeCookie("ads.tracker.com"));
    WriteFileBytes(f.R + "Cookies\\user@news[1].txt", IeCookie("news.org"));
    WriteFileBytes(f.R + "Cookies\\index.dat", "index");
    WriteFileBytes(f.R + "Cookies\\desktop.ini", "[x]");
    f.Options.Core.Cookies.Enabled = true;
    f.Options.Core.Cookies.IndexDat = c.IndexDat;
    f.Options.Core.Cookies.EraseAll = c.EraseAll;
    EXPECT_EQ(f.ScanFound(), c.Found) << c.IndexDat << c.EraseAll;
  }
}

TEST(BrowserMailCollectors, InternetExplorerCacheExclusions) {
  const struct {
    bool IeIndexDat;
    std::vector<std::string> Found;
  } cases[] = {
      {false, {"2 a.gif 1 3", "2 page.htm 1 2"}},
      {true, {"2 a.gif 1 3", "2 index.dat 1 4 locked", "2 page.htm 1 2"}},
  };
  for (const auto& c : cases) {
    TBrowserFixture f;
    MakeTree(f.R, {"Cache\\desktop.ini", "Cache\\index.dat=4", "Cache\\ABC123\\",
                   "Cache\\ABC123\\desktop.ini", "Cache\\ABC123\\page.htm=2",
                   "Cache\\ABC123\\a.gif=3", "Cache\\AntiPhishing\\", "Cache\\AntiPhishing\\x.dat",
                   "Cache\\AntiPhishing\\deep\\", "Cache\\AntiPhishing\\deep\\y.dat"});
    f.Options.Core.IeCache = true;
    f.Options.Core.IeIndexDat = c.IeIndexDat;
    EXPECT_EQ(f.ScanFound(), c.Found) << c.IeIndexDat;
  }
}

TEST(BrowserMailCollectors, OutlookExpressDeletedItemsStore) {
  const struct {
    std::uint32_t Messages;
    std::vector<std::string> Found;
  } cases[] = {
      {12, {"13 Deleted Items.dbx 12 " + std::to_string(DbxStore(12).size())}},
      {0, {}},
  };
  for (const auto& c : cases) {
    TBrowserFixture f;
    WriteFileBytes(f.R + "OE\\Deleted Items.dbx", DbxStore(c.Messages));
    WriteFileBytes(f.R + "OE\\Inbox.dbx", DbxStore(5));
    f.Options.Core.OeDeleted = true;
    EXPECT_EQ(f.ScanFound(), c.Found);
    for (const auto& rec : FoundList.Window()) EXPECT_EQ(rec->Caption().Str(), "Deleted Items");
  }
}

TEST(BrowserMailCollectors, OutlookFoldersCostOnlyTheirOwnRecordOnError) {
  const struct {
    std::int64_t Deleted;
    std::int64_t Junk;
    std::vector<std::string> Found;
    std::size_t Warnings;
  } cases[] = {
      {-1, 4, {"11 Outlook Junk Items 4 400"}, 1},
      {6, 0, {"10 Outlook Deleted Items 6 600"}, 0},
      {-1, -1, {}, 2},
  };
  for (const auto& c : cases) {
    TBrowserFixture f;
    f.UseStandInTotals();
    gTotals = {{MISC_OUTLOOK_DELETED, c.Deleted}, {MISC_OUTLOOK_JUNK, c.Junk}};
    f.Options.Core.OlDeleted = f.Options.Core.OlJunk = true;
    EXPECT_EQ(f.ScanFound(), c.Found);
    const std::vector<TLogLine> warnings(c.Warnings, {3, "Outlook not initialized correctly!"});
    EXPECT_EQ(f.LinesAt(3), warnings);
    std::vector<std::string> texts;
    for (const auto& m : f.Scan.Recorder.Messages) {
      if (m.Message == WM_CORE_CURR_PATH) texts.push_back(m.Item.Text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Office Outlook Deleted Items",
                                               "Office Outlook Junk Items"}));
    EXPECT_EQ(f.Scan.Recorder.Count(WM_CORE_UPDATE_SCAN), c.Found.size());
    EXPECT_FALSE(f.Scan.Recorder.Messages.back().Item.Failed);
    for (const auto& rec : FoundList.Window()) {
      EXPECT_TRUE(rec->Selected);
      EXPECT_TRUE(rec->Path().empty());
      EXPECT_EQ(rec->Attributes, 0);
    }
  }
}

TEST(BrowserMailCollectors, OutlookMissingUnderWineAddsNothingAndFailsNothing) {
  TBrowserFixture f;
  f.Options.Core.OlDeleted = f.Options.Core.OlJunk = true;
  EXPECT_TRUE(f.ScanFound().empty());
  EXPECT_EQ(f.LinesAt(3).size(), 2u);
  EXPECT_FALSE(f.Scan.Recorder.Messages.back().Item.Failed);
  EXPECT_FALSE(f.Core.Failed());
}

TEST(BrowserMailCollectors, HistoryListsWithSomethingInThem) {
  TBrowserFixture f;
  f.UseStandInTotals();
  gTotals = {{OBJTYPE_IE_HISTORY, 0}, {OBJTYPE_IE_ADDRBAR, 2}, {OBJTYPE_MRU, 3}};
  f.Options.Core.IeHistory = f.Options.Core.AddrBarUrls = f.Options.Core.Mru = true;
  f.Options.SelFoundObjs = false;
  EXPECT_EQ(f.ScanFound(),
            (std::vector<std::string>{"18 Internet Explorer Address Bar History 2 200",
                                      "21 MRU History 3 300"}));
  for (const auto& rec : FoundList.Window()) EXPECT_FALSE(rec->Selected);
  std::vector<std::string> posted;
  for (const auto& m : f.Scan.Recorder.Messages) {
    if (m.Message == WM_CORE_CURR_PATH) posted.push_back("1027 " + m.Item.Text);
    if (m.Message == WM_CORE_UPDATE_SCAN) posted.push_back("1028 " + std::to_string(m.Item.Count));
  }
  EXPECT_EQ(posted, (std::vector<std::string>{"1027 Internet Explorer History",
                                              "1027 Internet Explorer Address Bar History",
                                              "1028 2", "1027 MRU History", "1028 3"}));
  const std::vector<TLogLine> entries = f.Scan.Entries();
  const auto step =
      std::find(entries.begin(), entries.end(), TLogLine{5, "5. Process others items"});
  ASSERT_NE(step, entries.end());
  EXPECT_EQ(
      std::vector<TLogLine>(step + 1, step + 3),
      (std::vector<TLogLine>{{6, "Scanning IE History"}, {6, "Scanning IE Address Bar History"}}));
  EXPECT_EQ(step[3], (TLogLine{6, "Posting scan end..."})) << "no line for the MRU lists";
}
