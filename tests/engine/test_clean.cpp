#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "base/uText.h"
#include "engine/uCoreThread.h"
#include "engine/uProgressQueue.h"
#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kArpCache = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";
const std::string kHotFix = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\HotFix\\";

TFileRec& AddRecord(int category, const std::string& path, std::int64_t size = 1,
                    std::int64_t count = 1) {
  auto rec = std::make_unique<TFileRec>();
  rec->Selected = true;
  rec->Category = category;
  rec->SetPath(path);
  rec->Size = size;
  rec->Count = count;
  FoundList.Window().push_back(std::move(rec));
  return *FoundList.Window().back();
}

std::vector<TLogLine> AtLevel(const std::vector<TLogLine>& entries, int level) {
  std::vector<TLogLine> lines;
  std::copy_if(entries.begin(), entries.end(), std::back_inserter(lines),
               [level](const TLogLine& e) { return e.Level == level; });
  return lines;
}

bool Logged(const std::vector<TLogLine>& entries, const TLogLine& line) {
  return std::find(entries.begin(), entries.end(), line) != entries.end();
}

class TCleanFixture {
 public:
  TCleanFixture() {
    R = Scan.Root();
    TStandInMisc::Folders[66] = R + "WIN";
    MakeTree(R, {"WIN\\"});
    Options.Main.AppFolder = ProgramFolder();
  }
  void Clean() { Scan.CleanWith(Core, Options); }
  std::vector<TRecordedMessage> Messages(UINT message) const {
    std::vector<TRecordedMessage> found;
    for (const TRecordedMessage& m : Scan.Recorder.Messages) {
      if (m.Message == message) found.push_back(m);
    }
    return found;
  }

  TScanFixture Scan;
  TCore Core;
  TOptions Options;
  std::string R;
};

TEST(Clean, DeleteOrRecycleByCategoryAndOptions) {
  struct TCase {
    int Category;
    bool MoveRemInRB, ForceDel;
    bool Recycled;
  };
  const TCase cases[] = {
      {OBJTYPE_IE_CACHE, true, true, false}, {OBJTYPE_IE_CACHE, true, false, true},
      {OBJTYPE_USER_JUNK, true, true, true}, {OBJTYPE_USER_JUNK, false, false, false},
      {OBJTYPE_CUSTOM, true, false, true},
  };
  for (const TCase& c : cases) {
    TCleanFixture f;
    MakeTree(f.R, {"f.tmp"});
    AddRecord(c.Category, f.R + "f.tmp");
    f.Options.MoveRemInRB = c.MoveRemInRB;
    f.Options.Core.ForceDel = c.ForceDel;
    f.Clean();
    EXPECT_FALSE(IsExistingFile(f.R + "f.tmp"));
    EXPECT_EQ(TStandInMisc::Recycled.size(), c.Recycled ? 1u : 0u) << c.Category;
    EXPECT_FALSE(FoundList.Window()[0]);
  }
}

TEST(Clean, ARecycleBatchWithALockedFilePostsOnlyForTheOthers) {
  TCleanFixture f;
  MakeTree(f.R, {"a", "b", "c", "d"});
  for (const char* name : {"a", "b", "c"}) AddRecord(OBJTYPE_USER_JUNK, f.R + name, 10);
  AddRecord(OBJTYPE_WIN_TEMP, f.R + "d", 4);
  f.Options.MoveRemInRB = true;
  {
    // Held open without sharing: neither the batch nor a single try removes it.
    TFileHandle lock(::CreateFileA((f.R + "b").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock.Valid());
    f.Clean();
  }
  EXPECT_EQ(TStandInMisc::RecycleBatches, (std::vector<std::size_t>{3, 1}))
      << "one batch per category";
  EXPECT_EQ(TStandInMisc::Recycled, (std::vector<std::string>{f.R + "a", f.R + "c", f.R + "d"}));
  std::vector<UINT> messages;
  for (const TRecordedMessage& m : f.Scan.Recorder.Messages) messages.push_back(m.Message);
  EXPECT_EQ(messages, (std::vector<UINT>{WM_CORE_CURR_PATH, WM_CORE_UPDATE_CLEAN,
                                         WM_CORE_UPDATE_CLEAN, WM_CORE_CURR_PATH,
                                         WM_CORE_UPDATE_CLEAN, WM_CORE_CLEAN_END}));
  ASSERT_TRUE(FoundList.Window()[1]);
  EXPECT_EQ(FoundList.Window()[1]->Path(), f.R + "b");
  EXPECT_FALSE(FoundList.Window()[0] || FoundList.Window()[2] || FoundList.Window()[3]);
  EXPECT_TRUE(IsExistingFile(f.R + "b"));
  EXPECT_TRUE(Logged(f.Scan.Entries(), {3, "Not delete " + f.R + "b count -1, size -10"}));
}

TEST(Clean, RecordsOfOneFolderOutliveTheCleanOfTheirNeighbours) {
  TCleanFixture f;
  MakeTree(f.R, {"app\\", "app\\a.tmp", "app\\b.tmp", "app\\c.tmp"});
  TFoundPlacePtr place = MakeFoundPlace(f.R + "app\\", TFoundTexts{TSharedText(f.R + "app\\")});
  for (const char* name : {"a.tmp", "b.tmp", "c.tmp"}) {
    auto rec = std::make_unique<TFileRec>(place, name);
    rec->Category = OBJTYPE_USER_JUNK;
    rec->Count = 1;
    rec->Selected = std::string(name) != "b.tmp";
    FoundList.Window().push_back(std::move(rec));
  }
  place = TFoundPlacePtr();  // the records hold the last references
  f.Clean();
  const TFoundList& found = FoundList.Window();
  EXPECT_FALSE(found[0] || found[2]);
  ASSERT_TRUE(found[1]);
  EXPECT_EQ(found[1]->Path(), f.R + "app\\b.tmp");
  EXPECT_EQ(found[1]->Owner(), f.R + "app\\");
  EXPECT_TRUE(IsExistingFile(f.R + "app\\b.tmp"));
}

MiscBool MISC_CALL Refuse() { return FALSE; }
MiscBool MISC_CALL Agree() { return TRUE; }
std::vector<int> gOutlookIds;
MiscBool MISC_CALL EmptyOutlook(int id) {
  gOutlookIds.push_back(id);
  return id == MISC_OUTLOOK_JUNK;
}

TEST(Clean, StoresAndHistoryListsThroughTheLibrary) {
  TCleanFixture f;
  gOutlookIds.clear();
  TStandInMisc::Record.EmptyOutlookFolder = &EmptyOutlook;
  TStandInMisc::Record.CleanIeHistory = &Agree;
  TStandInMisc::Record.CleanAddressBar = &Refuse;
  TStandInMisc::Record.CleanMruLists = &Agree;
  for (int category : {OBJTYPE_OL_DELETED, OBJTYPE_OL_JUNK, OBJTYPE_IE_HISTORY,
                       OBJTYPE_IE_ADDRBAR, OBJTYPE_MRU}) {
    AddRecord(category, "", 100, 7).SetCaption(std::string("C").append(std::to_string(category)));
  }
  f.Clean();
  EXPECT_EQ(gOutlookIds, (std::vector<int>{3, 23}));
  EXPECT_TRUE(FoundList.Window()[0]);
  EXPECT_FALSE(FoundList.Window()[1]);
  EXPECT_FALSE(FoundList.Window()[2]);
  EXPECT_TRUE(FoundList.Window()[3]);
  EXPECT_FALSE(FoundList.Window()[4]);
  const std::vector<TLogLine> entries = f.Scan.Entries();
  EXPECT_TRUE(Logged(entries, {6, "Cannot delete: C10"}));
  EXPECT_TRUE(Logged(entries, {3, "Cannot delete: C18"}));
  EXPECT_EQ(f.Messages(WM_CORE_UPDATE_CLEAN).size(), 3u);
}

TEST(Clean, MessagesCountsAndUntickedObjects) {
  TCleanFixture f;
  MakeTree(f.R, {"a", "b", "c", "d"});
  AddRecord(OBJTYPE_USER_JUNK, f.R + "a", 10, 5);
  AddRecord(OBJTYPE_USER_JUNK, f.R + "b", 20, -3);
  AddRecord(OBJTYPE_USER_JUNK, f.R + "c").Selected = false;
  FoundList.Window().push_back(nullptr);
  AddRecord(OBJTYPE_WIN_TEMP, f.R + "d", 4, 1);
  AddRecord(OBJTYPE_WIN_TEMP, f.R + "gone", 4, 1);
  f.Clean();
  struct TExpected {
    UINT Message;
    std::string Text;
    std::int64_t Count, Size;
  };
  const std::vector<TExpected> expected = {
      {WM_CORE_CURR_PATH, "User Junk files", 0, 0}, {WM_CORE_UPDATE_CLEAN, "", 5, 10},
      {WM_CORE_UPDATE_CLEAN, "", 1, 20},           {WM_CORE_CURR_PATH, "Windows Temp files", 0, 0},
      {WM_CORE_UPDATE_CLEAN, "", 1, 4},            {WM_CORE_CLEAN_END, "", 0, 0},
  };
  const auto& got = f.Scan.Recorder.Messages;
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].Message, expected[i].Message) << i;
    EXPECT_EQ(got[i].Item.Text, expected[i].Text) << i;
    EXPECT_EQ(got[i].Item.Count, expected[i].Count) << i;
    EXPECT_EQ(got[i].Item.Size, expected[i].Size) << i;
  }
  EXPECT_FALSE(got.back().Item.Stopped);
  EXPECT_TRUE(IsExistingFile(f.R + "c"));
  EXPECT_TRUE(FoundList.Window()[2]);
  EXPECT_TRUE(FoundList.Window()[5]);
  EXPECT_TRUE(Logged(f.Scan.Entries(), {3, "Not delete " + f.R + "gone count -1, size -4"}));
  EXPECT_TRUE(Logged(f.Scan.Entries(), {6, "POST Update Clean " + f.R + "a count -5, size -10"}));
}

TEST(Clean, StopLeavesTheRestAndStillEnds) {
  TCleanFixture f;
  MakeTree(f.R, {"a", "b", "c", "Temp\\", "Temp\\e\\"});
  TStandInMisc::Folders[65] = f.R + "Temp";
  for (const char* name : {"a", "b", "c"}) AddRecord(OBJTYPE_USER_JUNK, f.R + name);
  TStandInMisc::OnRemoveFile = [&f](const std::string&) { f.Core.SetStop(true); };
  f.Options.Core.Temp = true;
  f.Clean();
  EXPECT_FALSE(IsExistingFile(f.R + "a"));
  EXPECT_TRUE(IsExistingFile(f.R + "b"));
  EXPECT_TRUE(IsExistingFile(f.R + "c"));
  EXPECT_TRUE(IsExistingFolder(f.R + "Temp\\e"));
  const auto end = f.Messages(WM_CORE_CLEAN_END);
  ASSERT_EQ(end.size(), 1u);
  EXPECT_TRUE(end[0].Item.Stopped);
  EXPECT_TRUE(Logged(f.Scan.Entries(), {6, "Cleaning User temp subfolders..."}));
}

TEST(Clean, OthersPassKeepsItsRootsAndFilledFolders) {
  TCleanFixture f;
  MakeTree(f.R, {"Cache\\", "Cache\\e1\\", "Cache\\e1\\e2\\", "Cache\\full\\", "Cache\\full\\f",
                 "Temp\\", "Temp\\e\\", "Temp\\h\\", "Temp\\h\\x\\", "Temp\\h\\k"});
  TStandInMisc::Folders[51] = f.R + "Cache";
  TStandInMisc::Folders[65] = f.R + "Temp";
  f.Options.Core.IeCache = f.Options.Core.Temp = true;
  f.Clean();
  EXPECT_TRUE(IsExistingFolder(f.R + "Cache"));
  EXPECT_FALSE(IsExistingFolder(f.R + "Cache\\e1"));
  EXPECT_TRUE(IsExistingFile(f.R + "Cache\\full\\f"));
  EXPECT_TRUE(IsExistingFolder(f.R + "Temp"));
  EXPECT_FALSE(IsExistingFolder(f.R + "Temp\\e"));
  EXPECT_FALSE(IsExistingFolder(f.R + "Temp\\h\\x"));
  EXPECT_TRUE(IsExistingFile(f.R + "Temp\\h\\k"));
  EXPECT_EQ(f.Core.IeCacheRoot(), f.R + "Cache\\");
  EXPECT_TRUE(AtLevel(f.Scan.Entries(), 3).empty());
}

// The folder tree of a removed object goes when it is empty, but the user's
// temporary folder itself always stays.
TEST(Clean, RemoveEmptyFolderTakesTheObjectsFolderTree) {
  TCleanFixture f;
  MakeTree(f.R, {"app\\", "app\\c\\", "app\\c\\f.tmp", "app\\c\\e\\", "app\\other\\",
                 "app\\other\\g", "Temp\\", "Temp\\t.tmp"});
  TStandInMisc::Folders[65] = f.R + "Temp";
  AddRecord(OBJTYPE_CUSTOM, f.R + "app\\c\\f.tmp").RemoveEmptyFolder = true;
  AddRecord(OBJTYPE_CUSTOM, LowerText(f.R) + "temp\\t.tmp").RemoveEmptyFolder = true;
  f.Clean();
  EXPECT_FALSE(IsExistingFile(f.R + "Temp\\t.tmp"));
  EXPECT_TRUE(IsExistingFolder(f.R + "Temp"));
  EXPECT_FALSE(IsExistingFolder(f.R + "app\\c"));
  EXPECT_TRUE(IsExistingFile(f.R + "app\\other\\g"));
  EXPECT_TRUE(Logged(f.Scan.Entries(), {6, "Starting deltree " + f.R + "app\\c\\"}));
}

// Nothing is followed through a junction: neither an object that has
// become one since the scan, nor a subfolder of the user's temporary folder.
// The empty folders beside the link go.
TEST(Clean, JunctionsAreNeverFollowed) {
  TCleanFixture f;
  const TLinkTree tree("clean", {"Temp\\link", "WIN\\$NtUninstallKBJ$"});
  if (!tree.Made()) GTEST_SKIP() << "this system makes no junctions and no link was prepared";
  const std::string& r = tree.Root();
  MakeTree(r, {"outside\\empty\\", "outside\\keep", "Temp\\gone\\", "Temp\\gone\\too\\"});
  TStandInMisc::Folders[65] = r + "Temp";
  TStandInMisc::Folders[66] = r + "WIN";
  AddRecord(OBJTYPE_WIN_UPDATES, r + "WIN\\$NtUninstallKBJ$").SetKey("KBJ");
  f.Options.Core.Temp = true;
  f.Clean();
  EXPECT_TRUE(IsExistingFolder(r + "outside\\empty"));
  EXPECT_TRUE(IsExistingFile(r + "outside\\keep"));
  EXPECT_FALSE(IsExistingFolder(r + "Temp\\gone"));
  EXPECT_TRUE(FoundList.Window()[0]);
  EXPECT_TRUE(
      Logged(f.Scan.Entries(), {3, "Reparse point not followed: " + r + "WIN\\$NtUninstallKBJ$"}));
}

// Only what really went counts: an update folder that was never there frees
// nothing and stays in the list.
TEST(Clean, UpdateFolderThatNeverExistedIsNotCountedAsRemoved) {
  TCleanFixture f;
  const std::string missing = f.R + "WIN\\$NtUninstallKBQ1$";
  AddRecord(OBJTYPE_WIN_UPDATES, missing, 5, 3).SetKey("KBQ1");
  AddRecord(OBJTYPE_ORPHAN_UPDATES, f.R + "WIN\\$hf_mig$\\KBQ2");
  f.Clean();
  EXPECT_TRUE(f.Messages(WM_CORE_UPDATE_CLEAN).empty());
  EXPECT_TRUE(FoundList.Window()[0] && FoundList.Window()[1]);
  EXPECT_TRUE(Logged(f.Scan.Entries(), {3, "Folder not found, nothing removed: " + missing}));
}

// An error that escapes a removal is logged, with the error flag set, before
// the end message; after it the worker writes nothing through the settings,
// which the window may replace as soon as it has the end message.
TEST(Clean, AnErrorIsLoggedBeforeTheEndMessageAndNothingAfterIt) {
  TCleanFixture f;
  MakeTree(f.R, {"a.tmp"});
  AddRecord(OBJTYPE_CUSTOM, f.R + "a.tmp");
  TStandInMisc::OnRemoveFile = [](const std::string&) { throw std::runtime_error("disk gone"); };
  TTempFolder other;
  TTrace replaced(other.Path() + "quillmere.exe", LVL_TRASH, false, "traces", "", 0);
  TCoreThread thread;
  TCoreInit init = f.Scan.Init();
  init.Options = f.Options;
  thread.SetInit(init);
  std::vector<TLogLine> atEnd;
  f.Scan.Recorder.OnMessage = [&](const TRecordedMessage& message) {
    if (message.Message != WM_CORE_CLEAN_END) return;
    atEnd = f.Scan.Entries();
    init.Trace = &replaced;
    thread.SetInit(init);
  };
  thread.SetOpType(OPTYPE_CLEAN);
  thread.Resume();
  thread.Start();
  ASSERT_TRUE(f.Scan.Recorder.PumpUntil([&] { return !f.Messages(WM_CORE_CLEAN_END).empty(); }));
  while (thread.IsRunning()) ::Sleep(1);
  EXPECT_TRUE(Logged(atEnd, {1, "##### EXCEPTION: disk gone"}));
  EXPECT_TRUE(f.Messages(WM_CORE_CLEAN_END)[0].Item.Failed);
  // The replacing trace opens its file with its first line.
  EXPECT_FALSE(IsExistingFile(replaced.FileName()));
  EXPECT_TRUE(IsExistingFile(f.R + "a.tmp"));
}

// An update goes with its registry keys, its log and its backup folder.
TEST(Clean, UpdateRemovalWithKeysLogAndBackup) {
  TCleanFixture f;
  const std::string id = "QlmKBC1";
  TTestRegKey uninstall(kUninstall + id), arp(kArpCache + id), hotfix(kHotFix + id);
  ASSERT_TRUE(uninstall.Made() && arp.Made() && hotfix.Made());
  MakeTree(f.R, {"WIN\\$NtUninstallQlmKBC1$\\", "WIN\\$NtUninstallQlmKBC1$\\a",
                 "WIN\\$hf_mig$\\", "WIN\\$hf_mig$\\QlmKBC1\\", "WIN\\$hf_mig$\\QlmKBC1\\b",
                 "WIN\\QlmKBC1.log"});
  TFileRec& rec = AddRecord(OBJTYPE_WIN_UPDATES, f.R + "WIN\\$NtUninstallQlmKBC1$", 2, 4);
  rec.SetKey(id);
  rec.SetBackupFolder(f.R + "WIN\\$hf_mig$\\QlmKBC1");
  f.Clean();
  EXPECT_FALSE(RegKeyPresent(kUninstall + id));
  EXPECT_FALSE(RegKeyPresent(kArpCache + id));
  EXPECT_FALSE(RegKeyPresent(kHotFix + id));
  EXPECT_FALSE(IsExistingFile(f.R + "WIN\\QlmKBC1.log"));
  EXPECT_FALSE(IsExistingFolder(f.R + "WIN\\$NtUninstallQlmKBC1$"));
  EXPECT_FALSE(IsExistingFolder(f.R + "WIN\\$hf_mig$\\QlmKBC1"));
  ASSERT_EQ(f.Messages(WM_CORE_UPDATE_CLEAN).size(), 1u);
  EXPECT_EQ(f.Messages(WM_CORE_UPDATE_CLEAN)[0].Item.Count, 4);
  // The keys were made by the test's own object: only the missing ones log.
  EXPECT_TRUE(AtLevel(f.Scan.Entries(), 3).empty());
}

TEST(Clean, UpdateWithoutKeysLogsEachAndOkFollowsTheBackupFolder) {
  TCleanFixture f;
  MakeTree(f.R, {"WIN\\$NtUninstallQlmKBC2$\\", "WIN\\$NtUninstallQlmKBC2$\\held",
                 "WIN\\$hf_mig$\\", "WIN\\$hf_mig$\\QlmKBC2\\"});
  const std::string held = f.R + "WIN\\$NtUninstallQlmKBC2$\\held";
  TFileHandle hold(::CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(hold.Valid());
  TFileRec& rec = AddRecord(OBJTYPE_ORPHAN_UPDATES, f.R + "WIN\\$NtUninstallQlmKBC2$");
  rec.SetKey("QlmKBC2");
  rec.SetBackupFolder(f.R + "WIN\\$hf_mig$\\QlmKBC2");
  f.Clean();
  const std::vector<TLogLine> warnings = AtLevel(f.Scan.Entries(), 3);
  const std::vector<TLogLine> expected = {
      {3, "Cannot delete regkey HKLM\\" + kUninstall + "QlmKBC2"},
      {3, "Cannot delete regkey HKLM\\" + kArpCache + "QlmKBC2"},
      {3, "Cannot delete regkey HKLM\\" + kHotFix + "QlmKBC2"},
      {3, "Cannot delete: " + f.R + "WIN\\QlmKBC2.log"},
      {3, "Cannot deltree: " + f.R + "WIN\\$NtUninstallQlmKBC2$"},
  };
  EXPECT_EQ(warnings, expected);
  EXPECT_TRUE(IsExistingFolder(f.R + "WIN\\$NtUninstallQlmKBC2$"));
  EXPECT_FALSE(IsExistingFolder(f.R + "WIN\\$hf_mig$\\QlmKBC2"));
  EXPECT_EQ(f.Messages(WM_CORE_UPDATE_CLEAN).size(), 1u);
  EXPECT_FALSE(FoundList.Window()[0]);
}

// An identifier that is not one plain key name never reaches the registry
// or a log file: only the folder goes.
TEST(Clean, UpdateIdentifierWithAPathKeepsRegistryAndLog) {
  TCleanFixture f;
  TTestRegKey child(kUninstall + "QlmBranch\\Child");
  ASSERT_TRUE(child.Made());
  MakeTree(f.R, {"WIN\\$NtUninstallQlmKBC3$\\", "WIN\\QlmBranch\\", "WIN\\QlmBranch\\Child.log"});
  for (const char* id : {"QlmBranch\\Child", "", ".."}) {
    MakeTree(f.R, {"WIN\\$NtUninstallQlmKBC3$\\"});
    AddRecord(OBJTYPE_WIN_UPDATES, f.R + "WIN\\$NtUninstallQlmKBC3$").SetKey(id);
  }
  f.Clean();
  EXPECT_TRUE(RegKeyPresent(kUninstall + "QlmBranch\\Child"));
  EXPECT_TRUE(IsExistingFile(f.R + "WIN\\QlmBranch\\Child.log"));
  EXPECT_FALSE(IsExistingFolder(f.R + "WIN\\$NtUninstallQlmKBC3$"));
  EXPECT_TRUE(Logged(f.Scan.Entries(),
                     {3, "Update identifier not a plain key name, registry and log kept: \"QlmBranch\\Child\""}));
}

// A locked index file goes only through delete.bin: removed when free,
// kept (and reported as kept) while another handle holds it.
TEST(Clean, LockedIndexFileThroughTheDeletionProgram) {
  TCleanFixture f;
  MakeTree(f.R, {"free\\", "free\\index.dat", "held\\", "held\\index.dat"});
  const std::string held = f.R + "held\\index.dat";
  AddRecord(OBJTYPE_COOKIES, f.R + "free\\index.dat").Locked = true;
  AddRecord(OBJTYPE_COOKIES, held).Locked = true;
  f.Options.MoveRemInRB = true;
  TFileHandle hold(::CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(hold.Valid());
  const DWORD start = ::GetTickCount();
  f.Clean();
  EXPECT_LT(::GetTickCount() - start, 6000u);
  EXPECT_FALSE(IsExistingFile(f.R + "free\\index.dat"));
  EXPECT_TRUE(IsExistingFile(held));
  EXPECT_TRUE(TStandInMisc::Recycled.empty());
  EXPECT_FALSE(FoundList.Window()[0]);
  EXPECT_TRUE(FoundList.Window()[1]);
  EXPECT_EQ(f.Messages(WM_CORE_UPDATE_CLEAN).size(), 1u);
}

TEST(Clean, MissingDeletionProgramKeepsTheLockedFile) {
  TCleanFixture f;
  MakeTree(f.R, {"index.dat"});
  AddRecord(OBJTYPE_IE_CACHE, f.R + "index.dat").Locked = true;
  f.Options.Main.AppFolder = f.R;
  f.Clean();
  EXPECT_TRUE(IsExistingFile(f.R + "index.dat"));
  EXPECT_TRUE(FoundList.Window()[0]);
}

}  // namespace
