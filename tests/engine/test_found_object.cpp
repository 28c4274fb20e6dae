#include <gtest/gtest.h>

#include "engine/uProgressQueue.h"
#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

// Library answers keyed by the file name: "track" marks tracking cookies,
// "bad" a file the library cannot read.
bool Has(const char* path, const char* word) { return std::string(path).find(word) != std::string::npos; }

int gDefineCount = -1;
MiscBool MISC_CALL TrackingCookieFile(const char* path, const MiscDefineList* defs) {
  gDefineCount = defs->Count;
  return Has(path, "track");
}
MiscBool MISC_CALL MessageCount(const char* path, int* count) {
  if (Has(path, "bad")) return FALSE;
  *count = Has(path, "empty") ? 0 : 4;
  return TRUE;
}
MiscBool MISC_CALL CountCookies(const char* path, const MiscDefineList*, std::int64_t* count,
                                std::int64_t* size) {
  if (Has(path, "bad")) return FALSE;
  *count = 3;
  *size = 120;
  return TRUE;
}
std::vector<std::pair<std::string, MiscBool>> gCleaned;
MiscBool MISC_CALL CleanCookies(const char* path, const MiscDefineList* defs, MiscBool eraseAll) {
  gCleaned.emplace_back(path, eraseAll);
  return defs->Count == 2;
}

class TRowFixture {
 public:
  TRowFixture() {
    auto& record = TStandInMisc::Record;
    record.IsTrackingCookieFile = &TrackingCookieFile;
    record.MozHasTrackingCookie = &TrackingCookieFile;
    record.OeMessageCount = &MessageCount;
    record.MozCountCookies = &CountCookies;
    record.MozCleanCookies = &CleanCookies;
    Core.ScanContext().SetCookieDefs({"ads.example", "track.example"});
  }
  void SetOptions(const TOptions& options) {
    TCoreInit init = Scan.Init();
    init.Options = options;
    Core.SetInit(init);
  }
  TScanFixture Scan;
  TCore Core;
};

TEST(FoundObject, CookieMailAndMozillaRows) {
  TRowFixture f;
  const struct {
    int Category;
    const char* Path;
    bool EraseAll;
    bool Accepted;
  } accepts[] = {
      {OBJTYPE_COOKIES, "c:\\c\\index.dat", false, true},
      {OBJTYPE_COOKIES, "c:\\c\\Index.dat", false, false},
      {OBJTYPE_COOKIES, "c:\\c\\user@track.txt", false, true},
      {OBJTYPE_COOKIES, "c:\\c\\user@site.txt", false, false},
      {OBJTYPE_COOKIES, "c:\\c\\user@site.txt", true, true},
      {OBJTYPE_OE_DELETED, "c:\\oe\\Deleted Items.dbx", false, true},
      {OBJTYPE_OE_DELETED, "c:\\oe\\empty.dbx", false, false},
      {OBJTYPE_OE_DELETED, "c:\\oe\\bad.dbx", false, false},
      {OBJTYPE_FF_COOKIES, "c:\\ff\\track\\cookies.txt", false, true},
      {OBJTYPE_FLOCK_COOKIES, "c:\\fl\\plain\\cookies.txt", true, false},
  };
  for (const auto& c : accepts) {
    TOptions options;
    options.Core.Cookies.EraseAll = c.EraseAll;
    f.SetOptions(options);
    EXPECT_EQ(AcceptFoundObject(f.Core.ScanContext(), c.Category, c.Path, TDirEntry{}), c.Accepted) << c.Path;
  }
  EXPECT_EQ(gDefineCount, 2);

  const struct {
    int Category;
    const char* Path;
    const char* Caption;
    bool Locked;
    std::int64_t Count, Size;
  } completes[] = {
      {OBJTYPE_COOKIES, "c:\\c\\index.dat", "", true, 1, 9},
      {OBJTYPE_IE_CACHE, "c:\\c\\Index.dat", "", false, 1, 9},
      {OBJTYPE_RECENTS, "c:\\r\\index.dat", "", true, 1, 9},
      {OBJTYPE_OE_DELETED, "c:\\oe\\Deleted Items.dbx", "Deleted Items", false, 4, 9},
      {OBJTYPE_OE_DELETED, "c:\\oe\\bad.dbx", "Deleted Items", false, 0, 9},
      {OBJTYPE_FF_COOKIES, "c:\\ff\\cookies.txt", "", false, 3, 120},
      {OBJTYPE_FLOCK_COOKIES, "c:\\fl\\bad\\cookies.txt", "", false, 0, 0},
      {OBJTYPE_WIN_TEMP, "c:\\w\\index.dat", "", false, 2, 9},
  };
  for (const auto& c : completes) {
    TFileRec rec;
    rec.Category = c.Category;
    rec.SetPath(c.Path);
    rec.Size = 9;
    rec.Count = 2;
    CompleteFoundObject(f.Core.ScanContext(), rec);
    EXPECT_EQ(rec.Caption().Str(), c.Caption) << c.Path;
    EXPECT_EQ(rec.Locked, c.Locked) << c.Path;
    EXPECT_EQ(rec.Count, c.Count) << c.Path;
    EXPECT_EQ(rec.Size, c.Size) << c.Path;
  }
  const std::vector<TLogLine> expected = {{3, "Outlook Express Items Count failed!"},
                                          {3, "Cookies count failed!"}};
  EXPECT_EQ(f.Scan.Entries(), expected);
}

TEST(FoundObject, MozillaCookieFilesArePurgedNotDeleted) {
  TRowFixture f;
  gCleaned.clear();
  MakeTree(f.Scan.Root(), {"cookies.txt"});
  for (int category : {OBJTYPE_FF_COOKIES, OBJTYPE_FLOCK_COOKIES}) {
    auto rec = std::make_unique<TFileRec>();
    rec->Selected = true;
    rec->Category = category;
    rec->SetPath(f.Scan.Root() + "cookies.txt");
    FoundList.Window().push_back(std::move(rec));
  }
  TOptions options;
  options.Core.Cookies.EraseAll = true;
  f.Scan.CleanWith(f.Core, options);
  ASSERT_EQ(gCleaned.size(), 2u);
  EXPECT_TRUE(gCleaned[0].second);
  EXPECT_TRUE(IsExistingFile(f.Scan.Root() + "cookies.txt"));
  EXPECT_EQ(f.Scan.Recorder.Count(WM_CORE_UPDATE_CLEAN), 2u);
}

}  // namespace
