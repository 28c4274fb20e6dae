#include <gtest/gtest.h>

#include <algorithm>

#include "base/uText.h"
#include "engine/uProgressQueue.h"
#include "engine/uUpdateFolders.h"
#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

struct TItemView {
  int Category;
  std::string Folder;
  std::string Masks;
  bool SubFolders;
  bool Nested;
  std::string FolderExclude;
  bool operator==(const TItemView&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TItemView& v) {
  return out << v.Category << " " << v.Folder << " [" << v.Masks << "] sub " << v.SubFolders
             << " nested " << v.Nested << " excl [" << v.FolderExclude << "]";
}

std::vector<TItemView> ItemsOf(TCore& core) {
  std::vector<TItemView> items;
  for (const auto& item : core.Folders()) {
    items.push_back({item->Category, item->Folder,
                     item->IncludeMasks ? DelimitedText(*item->IncludeMasks) : "(none)",
                     item->SubFolders, item->Nested,
                     item->FolderExclude ? DelimitedText(*item->FolderExclude) : ""});
    EXPECT_EQ(item->Folder, item->Path);
  }
  return items;
}

std::vector<std::string> LinesAt(const std::vector<TLogLine>& entries, int level) {
  std::vector<std::string> lines;
  for (const TLogLine& e : entries) {
    if (e.Level == level) lines.push_back(e.Text);
  }
  return lines;
}

// An engine with a program folder holding the definition files, special
// folders below the fixture root, and the given options.
class TCollectFixture {
 public:
  TCollectFixture() {
    R = Scan.Root();
    MakeTree(R, {"app\\", "app\\defines\\"});
    WriteDefine("windows.def", "[1.0.0]\r\nsetup*.log\r\nKB*.log\r\n");
    WriteDefine("extensions.def", "[1.0.0]\r\n*.tmp\r\n");
    auto& f = TStandInMisc::Folders;
    f[61] = R + "Recent";
    f[55] = R + "Office";
    f[65] = R + "Temp";
    f[66] = R + "WIN";
    f[68] = R + "WIN\\Temp";
    f[67] = R + "WIN\\system32";
    f[48] = R + "Dumps";
    f[57] = R + "WIN\\Prefetch";
    f[53] = R + "Local";
    Options.Main.AppFolder = R + "app\\";
  }
  void WriteDefine(const std::string& name, const std::string& text) {
    WriteFileBytes(R + "app\\defines\\" + name, text);
  }
  std::vector<TItemView> Compile() {
    TCoreInit init = Scan.Init();
    init.Options = Options;
    Core.SetInit(init);
    EXPECT_TRUE(Core.CompileFolders());
    return ItemsOf(Core);
  }

  TScanFixture Scan;
  TCore Core;
  TOptions Options;
  std::string R;
};

TEST(WindowsCollectors, ItemsInCollectorOrder) {
  TCollectFixture f;
  TCoreOptions& o = f.Options.Core;
  o.RecentsWindows = o.RecentsOffice = o.Temp = o.WinUpdates = o.WinTemp = true;
  o.WinUpdatesOrphan = o.Prefetch = o.DbCache = true;
  o.System.SelFolders = true;
  o.System.UseDefExts = true;
  o.System.AddExts = "*.aa";
  o.System.AddFolders = "X:\\A|\"x:\\b c\"";
  const std::string r = LowerText(f.R);
  const std::string w = r + "win\\";
  const std::string excl = "*recycled\\,*recycler\\";
  const std::vector<TItemView> expected = {
      {3, r + "recent\\", "*.lnk", false, true, ""},
      {3, r + "office\\", "*.lnk", false, true, ""},
      {4, r + "temp\\", "*", true, true, ""},
      {5, w, "$NtServicePackUninstall*|$NtUninstall*|$MSI??Uninstall*", false, true, ""},
      {6, w, "setup*.log|KB*.log", false, false, ""},
      {6, w + "temp\\", "*.*", true, true, ""},
      {6, w + "system32\\wbem\\logs\\", "*.log|*.lo_", false, true, ""},
      {6, w + "debug\\usermode\\", "*.log|*.bak", false, true, ""},
      {6, w + "csc\\", "*.*", true, true, ""},
      {6, r + "dumps\\", "*.dmp", false, true, ""},
      {16, w + "$hf_mig$\\", "KB*", false, true, ""},
      {8, w + "prefetch\\", "*.pf", false, true, ""},
      {22, r + "local\\", "IconCache.db", false, true, ""},
      {7, "x:\\a\\", "*.tmp|*.aa", true, false, excl},
      {7, "x:\\b c\\", "*.tmp|*.aa", true, false, excl},
  };
  EXPECT_EQ(f.Compile(), expected);
  const std::vector<std::string> info = {
      "Item Windows recents: ADD", "Item Office recents: ADD",  "Item user temps: ADD",
      "Item Windows updates: ADD", "Item Windows logs: ADD",    "Item Windwos temps: ADD",
      "Item Windwos wbem logs: ADD", "Item Windwos debug user logs: ADD",
      "Item Client Side Cache: ADD", "Item Windwos crash: ADD",
      "Item Windows updates orphan: ADD", "Item Prefetch: ADD", "Item DB cache files: ADD",
      "Item system junks additional folders: ADD", "Item system junks additional folders: ADD",
  };
  EXPECT_EQ(LinesAt(f.Scan.Entries(), 4), info);
  const std::vector<TLogLine> entries = f.Scan.Entries();
  EXPECT_NE(std::find(entries.begin(), entries.end(), TLogLine{5, "Scan additonal folders"}),
            entries.end());
  EXPECT_NE(std::find(entries.begin(), entries.end(), TLogLine{5, "Count: 2"}), entries.end());
}

// A special folder that the library gives empty adds no item: the item's
// folder would be relative and resolve against the current folder.
TEST(WindowsCollectors, EmptySpecialFoldersGiveNoItems) {
  TCollectFixture f;
  for (int word : {47, 51, 54}) TStandInMisc::Folders[word] = "";
  for (auto& entry : TStandInMisc::Folders) entry.second.clear();
  TCoreOptions& o = f.Options.Core;
  o.RecentsWindows = o.RecentsOffice = o.Temp = o.WinUpdates = o.WinTemp = true;
  o.WinUpdatesOrphan = o.Prefetch = o.DbCache = o.IeCache = o.IeUpdates = o.OeDeleted = true;
  o.Cookies.Enabled = true;
  EXPECT_EQ(f.Compile(), std::vector<TItemView>{});
  EXPECT_EQ(LinesAt(f.Scan.Entries(), 4), std::vector<std::string>{});
}

TEST(WindowsCollectors, NoCrashFolderAndNoLogEntriesLeaveThoseItemsOut) {
  TCollectFixture f;
  TStandInMisc::Folders.erase(48);
  f.WriteDefine("windows.def", "[1.0.0]\r\n");
  f.Options.Core.WinTemp = true;
  const std::vector<TItemView> items = f.Compile();
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items.front().Masks, "*.*");
  EXPECT_EQ(items.back().Masks, "*.*");
}

TEST(WindowsCollectors, MissingWindowsDefinitionsEndTheFolderStep) {
  TCollectFixture f;
  ::DeleteFileA((f.R + "app\\defines\\windows.def").c_str());
  f.Options.Core.WinTemp = true;
  TCoreInit init = f.Scan.Init();
  init.Options = f.Options;
  f.Core.SetInit(init);
  EXPECT_FALSE(f.Core.CompileFolders());
  EXPECT_TRUE(f.Core.Failed());
  const std::vector<std::string> errors = LinesAt(f.Scan.Entries(), 1);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind("##### EXCEPTION: Cannot open file", 0), 0u) << errors[0];
}

TEST(WindowsCollectors, FixedDrivesWithTheirExclusions) {
  const struct {
    bool Temp;
    std::string ExclC, ExclD;
  } cases[] = {
      {false,
       "*recycled\\,*recycler\\,\"*system volume information\\\",\"C:\\All Users\\App Data\\Microsoft\\\"",
       "*recycled\\,*recycler\\,\"*system volume information\\\",D:\\Profiles\\"},
      {true,
       "*recycled\\,*recycler\\,\"*system volume information\\\",\"C:\\All Users\\App Data\\Microsoft\\\"",
       "*recycled\\,*recycler\\,\"*system volume information\\\""},
  };
  for (const auto& c : cases) {
    TCollectFixture f;
    TStandInMisc::DriveRoots = "C:\\|D:\\";
    TStandInMisc::Folders[46] = "C:\\All Users\\App Data";
    TStandInMisc::Folders[58] = "D:\\Profiles";
    TCoreOptions& o = f.Options.Core;
    o.System.FixedDrives = true;
    o.System.SelFolders = true;  // never searched when the drives are
    o.System.AddFolders = "e:\\more";
    o.System.AddExts = "*.zz";
    o.Temp = c.Temp;
    std::vector<TItemView> items = f.Compile();
    if (c.Temp) items.erase(items.begin());  // the user temp item
    const std::vector<TItemView> expected = {
        {7, "c:\\", "*.zz", true, true, c.ExclC},
        {7, "d:\\", "*.zz", true, true, c.ExclD},
    };
    EXPECT_EQ(items, expected);
    const std::vector<TLogLine> entries = f.Scan.Entries();
    EXPECT_NE(std::find(entries.begin(), entries.end(), TLogLine{4, "drive: C:\\ ADD"}),
              entries.end());
    EXPECT_NE(std::find(entries.begin(), entries.end(), TLogLine{5, "Scan all fixed drives"}),
              entries.end());
  }
}

TDirEntry EntryAged(double hours, bool folder) {
  TDirEntry entry;
  entry.Attributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  entry.Created = entry.Accessed = entry.Written = FileTimeHoursAgo(hours);
  return entry;
}

TEST(AcceptFoundObject, AgeLimitsAndFolderRules) {
  TCollectFixture f;
  MakeTree(f.R, {"upd\\", "upd\\spuninst\\", "upd\\spuninst\\spuninst.inf", "bare\\"});
  struct TCase {
    int Category;
    int Days;
    double Hours;
    bool Folder;
    const char* Name;
    bool Accepted;
  };
  const double day = 24;
  const double minute = 1.0 / 60;
  const TCase cases[] = {
      {OBJTYPE_USER_JUNK, 0, 23, false, "f", false},
      {OBJTYPE_USER_JUNK, 0, 25, false, "f", true},
      {OBJTYPE_USER_JUNK, 0, 25, true, "f", false},
      {OBJTYPE_PREFETCH, 30, 30 * day - minute, false, "a.pf", false},
      {OBJTYPE_PREFETCH, 30, 30 * day + 1, false, "a.pf", true},
      {OBJTYPE_PREFETCH, 30, 30 * day + 1, true, "d.pf", true},
      {OBJTYPE_PREFETCH, 0, 0, false, "a.pf", true},
      {OBJTYPE_SYSTEM_JUNK, 3, 3 * day - minute, false, "a.tmp", false},
      {OBJTYPE_SYSTEM_JUNK, 3, 3 * day + 1, false, "a.tmp", true},
      {OBJTYPE_SYSTEM_JUNK, 3, 3 * day + 1, true, "a.tmp", false},
      {OBJTYPE_SYSTEM_JUNK, -1, 0, false, "a.tmp", true},
      {OBJTYPE_WIN_UPDATES, 30, 30 * day - minute, true, "upd", false},
      {OBJTYPE_WIN_UPDATES, 30, 30 * day + 1, true, "upd", true},
      {OBJTYPE_WIN_UPDATES, 0, 0, true, "upd", true},
      {OBJTYPE_WIN_UPDATES, 0, 0, true, "bare", false},
      {OBJTYPE_IE_UPDATES, 0, 0, true, "upd", true},
      {OBJTYPE_IE_UPDATES, 0, 0, true, "bare", false},
      {OBJTYPE_WIN_TEMP, 0, 0, true, "sub", true},
      {OBJTYPE_RECENTS, 0, 0, false, "a.lnk", true},
      {OBJTYPE_DB_CACHE, 0, 0, false, "IconCache.db", true},
      {OBJTYPE_CUSTOM + 3, 0, 0, true, "d", false},
      {OBJTYPE_CUSTOM + 3, 0, 0, false, "f", true},
      {OBJTYPE_IE_HISTORY, 0, 0, false, "f", false},
      {OBJTYPE_OL_SENT, 0, 0, false, "f", false},
      {23, 0, 0, false, "f", false},
  };
  for (const TCase& c : cases) {
    TCoreOptions& o = f.Options.Core;
    o.PrefetchDays = o.System.DaysOlder = o.WinUpdatesDays = c.Days;
    o.WinUpdatesOptional = true;
    TCoreInit init = f.Scan.Init();
    init.Options = f.Options;
    f.Core.SetInit(init);
    EXPECT_EQ(AcceptFoundObject(f.Core.ScanContext(), c.Category, f.R + c.Name, EntryAged(c.Hours, c.Folder)),
              c.Accepted)
        << "category " << c.Category << " days " << c.Days << " hours " << c.Hours << " "
        << c.Name;
  }
}

// The record of one found object, by its path below the root.
const TFileRec* FoundAt(const std::string& path) {
  for (const auto& rec : FoundList.Window()) {
    if (rec && LowerText(rec->Path()) == LowerText(path)) return rec.get();
  }
  return nullptr;
}

std::vector<std::string> FoundNames(const std::string& root) {
  std::vector<std::string> names;
  for (const auto& rec : FoundList.Window()) {
    if (rec) names.push_back(LowerText(rec->Path().substr(root.size())));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Inf(const std::string& id, const std::string& title) {
  return "[Version]\r\nNtServicePackVersionText=" + id + "\r\nNtServicePackVersionFullText=" +
         title + "\r\n";
}

// Update uninstallation folders judged through real uninstall keys of the
// local-machine hive, and orphan backup folders.
class TUpdateFixture : public TCollectFixture {
 public:
  TUpdateFixture()
      : fKey2(std::string(kUninstall) + "QlmKB2"),
        fKey3(std::string(kUninstall) + "QlmKB3"),
        fKeyO2(std::string(kUninstall) + "KBQO2"),
        fKeyO3(std::string(kUninstall) + "KBQO3"),
        fKeyO4(std::string(kUninstall) + "KBQO4") {
    MakeTree(R, {"WIN\\", "WIN\\$hf_mig$\\", "WIN\\$NtUninstallQlmKB1$\\",
                 "WIN\\$NtUninstallQlmKB1$\\spuninst\\", "WIN\\$NtUninstallQlmKB1$\\a.dll=10",
                 "WIN\\$hf_mig$\\QlmKB1\\", "WIN\\$hf_mig$\\QlmKB1\\x=7", "WIN\\$hf_mig$\\QlmKB1\\y=3",
                 "WIN\\$NtUninstallQlmKB2$\\", "WIN\\$NtUninstallQlmKB2$\\spuninst\\",
                 "WIN\\$NtUninstallQlmKB3$\\", "WIN\\$NtUninstallQlmKB3$\\spuninst\\",
                 "WIN\\$NtUninstallQlmKB4$\\", "WIN\\$NtUninstallQlmKB4$\\b.dll",
                 "WIN\\$hf_mig$\\KBQO1\\", "WIN\\$hf_mig$\\KBQO1\\f=4",
                 "WIN\\$hf_mig$\\KBQO2\\", "WIN\\$hf_mig$\\KBQO3\\", "WIN\\$hf_mig$\\KBQO4\\",
                 "WIN\\$NtUninstallKBQO3$\\"});
    Write("$NtUninstallQlmKB1$", Inf("QlmKB1", "Security Update for Windows (QlmKB1)"));
    Write("$NtUninstallQlmKB2$", Inf("QlmKB2", "Update for Windows"));
    Write("$NtUninstallQlmKB3$", Inf("QlmKB3", "Security Update"));
    fKey2.SetText("DisplayName", "Critical SECURITY fix");
    fKey3.SetText("DisplayName", "Hotfix for Windows");
    fKeyO2.SetNumber("NoRemove", 1);
    fKeyO3.SetText("DisplayName", "x");
    fKeyO4.SetNumber("NoRemove", 0);
    Options.Core.WinUpdates = true;
    Options.Core.WinUpdatesOrphan = true;
  }
  void Write(const std::string& folder, const std::string& inf) {
    WriteFileBytes(R + "WIN\\" + folder + "\\spuninst\\spuninst.inf", inf);
  }
  bool KeysMade() const {
    return fKey2.Made() && fKey3.Made() && fKeyO2.Made() && fKeyO3.Made() && fKeyO4.Made();
  }
  static constexpr char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

 private:
  TTestRegKey fKey2, fKey3, fKeyO2, fKeyO3, fKeyO4;
};

TEST(UpdateFolders, SecurityUpdatesOrphansAndTheirRecords) {
  TUpdateFixture f;
  ASSERT_TRUE(f.KeysMade());
  f.Scan.ScanWith(f.Core, f.Options);
  EXPECT_EQ(FoundNames(f.R),
            (std::vector<std::string>{"win\\$hf_mig$\\kbqo1", "win\\$hf_mig$\\kbqo4",
                                      "win\\$ntuninstallqlmkb1$", "win\\$ntuninstallqlmkb2$"}));
  const TFileRec* kb1 = FoundAt(f.R + "WIN\\$NtUninstallQlmKB1$");
  ASSERT_NE(kb1, nullptr);
  const std::int64_t infSize =
      static_cast<std::int64_t>(Inf("QlmKB1", "Security Update for Windows (QlmKB1)").size());
  EXPECT_EQ(kb1->Caption().Str(), "Security Update for Windows (QlmKB1)");
  EXPECT_EQ(kb1->Key().Str(), "QlmKB1");
  EXPECT_EQ(LowerText(kb1->BackupFolder().Str()), LowerText(f.R + "WIN\\$hf_mig$\\QlmKB1"));
  EXPECT_EQ(kb1->Count, 2 + 2) << "files only, as the services library counts them";
  EXPECT_EQ(kb1->Size, infSize + 10 + 10);
  const TFileRec* kb2 = FoundAt(f.R + "WIN\\$NtUninstallQlmKB2$");
  ASSERT_NE(kb2, nullptr);
  EXPECT_TRUE(kb2->BackupFolder().empty());
  const TFileRec* orphan = FoundAt(f.R + "WIN\\$hf_mig$\\KBQO1");
  ASSERT_NE(orphan, nullptr);
  EXPECT_EQ(orphan->Caption().Str(), "KBQO1");
  EXPECT_EQ(orphan->Key().Str(), "KBQO1");
  EXPECT_EQ(orphan->Count, 2);
  EXPECT_EQ(orphan->Size, 4);

  FoundList.Window().clear();
  f.Options.Core.WinUpdatesOptional = true;
  f.Options.Core.WinUpdatesOrphan = false;
  f.Scan.ScanWith(f.Core, f.Options);
  EXPECT_EQ(FoundNames(f.R),
            (std::vector<std::string>{"win\\$ntuninstallqlmkb1$", "win\\$ntuninstallqlmkb2$",
                                      "win\\$ntuninstallqlmkb3$"}));
}

// A scan with the Windows and system categories on finds exactly these
// objects; a clean of them removes exactly those and reports each.
TEST(WindowsCollectors, ScanAndCleanOfAFixtureTree) {
  TCollectFixture f;
  MakeTree(f.R, {"Recent\\", "Recent\\a.lnk=3", "Recent\\b.txt", "Temp\\", "Temp\\old.tmp=5",
                 "Temp\\new.tmp", "Temp\\sub\\", "Temp\\sub\\old2.dat=2", "WIN\\",
                 "WIN\\setupapi.log=4", "WIN\\other.txt", "WIN\\Temp\\", "WIN\\Temp\\x.tmp=6",
                 "WIN\\Prefetch\\", "WIN\\Prefetch\\A.pf=8", "Local\\", "Local\\IconCache.db=9",
                 "junk\\", "junk\\a.tmp=11", "junk\\keep.txt", "junk\\recycled\\",
                 "junk\\recycled\\b.tmp", "Dumps\\"});
  ASSERT_TRUE(SetAgeHours(f.R + "Temp\\old.tmp", 25));
  ASSERT_TRUE(SetAgeHours(f.R + "Temp\\sub\\old2.dat", 25));
  TCoreOptions& o = f.Options.Core;
  o.RecentsWindows = o.Temp = o.WinTemp = o.Prefetch = o.DbCache = true;
  o.System.SelFolders = true;
  o.System.UseDefExts = true;
  o.System.AddFolders = f.R + "junk";
  f.Options.SelFoundObjs = true;
  f.Scan.ScanWith(f.Core, f.Options);
  const std::vector<std::string> found = {
      "junk\\a.tmp",      "local\\iconcache.db", "recent\\a.lnk",     "temp\\old.tmp",
      "temp\\sub\\old2.dat", "win\\prefetch\\a.pf", "win\\setupapi.log", "win\\temp\\x.tmp"};
  ASSERT_EQ(FoundNames(f.R), found);
  std::int64_t size = 0;
  for (const auto& rec : FoundList.Window()) {
    EXPECT_EQ(rec->Count, 1);
    size += rec->Size;
  }
  EXPECT_EQ(size, 3 + 5 + 2 + 4 + 6 + 8 + 9 + 11);

  // The user unticks the Windows log.
  TFileRec* unticked = nullptr;
  for (const auto& rec : FoundList.Window()) {
    if (LowerText(rec->Path()) == LowerText(f.R + "WIN\\setupapi.log")) unticked = rec.get();
  }
  ASSERT_NE(unticked, nullptr);
  unticked->Selected = false;
  f.Scan.Recorder.Messages.clear();
  f.Scan.CleanWith(f.Core, f.Options);
  for (const std::string& name : found) {
    EXPECT_EQ(IsExistingFile(f.R + name), name == "win\\setupapi.log") << name;
  }
  for (const char* kept : {"Recent\\b.txt", "Temp\\new.tmp", "WIN\\other.txt", "junk\\keep.txt",
                           "junk\\recycled\\b.tmp"}) {
    EXPECT_TRUE(IsExistingFile(f.R + kept)) << kept;
  }
  EXPECT_FALSE(IsExistingFolder(f.R + "Temp\\sub"));
  EXPECT_TRUE(IsExistingFolder(f.R + "Temp"));
  EXPECT_EQ(f.Scan.Recorder.Count(WM_CORE_UPDATE_CLEAN), found.size() - 1);
  EXPECT_EQ(std::count_if(FoundList.Window().begin(), FoundList.Window().end(), [](const auto& rec) { return rec != nullptr; }), 1);
}

}  // namespace
