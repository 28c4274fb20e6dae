#include <gtest/gtest.h>

#include <algorithm>

#include "base/uText.h"
#include "engine/uProgressQueue.h"
#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

const std::vector<std::string> kTree = {
    "t\\", "t\\a.tmp=10", "t\\b.log=5", "t\\readme", "t\\sub\\", "t\\sub\\c.tmp=3",
    "t\\sub\\d.log", "t\\sub\\deep\\", "t\\sub\\deep\\e.tmp",
};

std::vector<std::string> FoundBelow(const std::string& root) {
  std::vector<std::string> found;
  for (const auto& rec : FoundList.Window()) {
    if (rec) found.push_back(rec->Path().substr(root.size()));
  }
  std::sort(found.begin(), found.end());
  return found;
}

TEST(Scan, SmallScanLogsPostsAndFinds) {
  TScanFixture fixture;
  MakeTree(fixture.Root(), kTree);
  const std::string r = LowerText(fixture.Root());
  TCore core;
  fixture.Scan(core, [&](TScanContext& c) {
    c.Folders().push_back(MakeItem(r + "t\\", "*.tmp|*.log", true, OBJTYPE_CUSTOM));
    c.Folders().push_back(nullptr);
    auto deep = MakeItem(r + "t\\sub\\deep\\", "*.tmp", false, OBJTYPE_CUSTOM + 1);
    deep->ExcludeMasks = SplitDelimited("e*", '|');
    c.Folders().push_back(std::move(deep));
  });

  std::vector<TLogLine> expected = {
      {6, "Running core procedure..."}, {5, "1. Init engine"},
      {5, "Loading Cookies list..."},   {6, "Cleared list..."},
      {4, "Cookies scan not enabled"},
      {5, "2. Compile folders list"},   {5, "Compiling folder list..."},
  };
  for (const TCollectorEntry& collector : DefaultScanParts().Collectors) {
    expected.push_back({6, collector.EntryLog});
  }
  const std::vector<TLogLine> rest = {
      {6, "Folder list:"},
      {6, "Count:3"},
      {6, "Type: 256 Custom files"},
      {6, "Folder: " + r + "t\\"},
      {6, "Sub-folders: True"},
      {6, "Extens Include: *.tmp|*.log"},
      {2, "pItem 1 = nil"},
      {6, "Type: 257 Custom files"},
      {6, "Folder: " + r + "t\\sub\\deep\\"},
      {6, "Sub-folders: False"},
      {6, "Extens Include: *.tmp"},
      {6, "Extens Exclude: e*"},
      {5, "3. Compile roots list"},
      {6, "Roots list:"},
      {6, "Count:1"},
      {6, "Root0000: " + r + "t\\"},
      {5, "4. Process roots list"},
      {6, r + "t\\"},
      {6, "Item found :: ft256 0 0 -1 0 " + r + "t\\ " + r + "t\\"},
      {6, "FT 256 FN " + r + "t\\a.tmp"},
      {6, "FT 256 FN " + r + "t\\b.log"},
      {6, r + "t\\sub\\"},
      {6, "Item found :: x = nil"},
      {6, "FT 256 FN " + r + "t\\sub\\c.tmp"},
      {6, "FT 256 FN " + r + "t\\sub\\d.log"},
      {6, r + "t\\sub\\deep\\"},
      {6, "Item found :: ft257 0 -1 0 0 " + r + "t\\sub\\deep\\ " + r + "t\\sub\\deep\\"},
      {6, "Item found :: x = nil"},
      {5, "5. Process others items"},
      {6, "Posting scan end..."},
  };
  expected.insert(expected.end(), rest.begin(), rest.end());
  EXPECT_EQ(fixture.Entries(), expected);

  struct TExpectedMessage {
    UINT Message;
    std::string Text;
    std::int64_t Count, Size;
  };
  const TExpectedMessage messages[] = {
      {WM_CORE_CURR_PATH, r + "t\\", 0, 0},
      {WM_CORE_UPDATE_SCAN, "", 1, 10},
      {WM_CORE_UPDATE_SCAN, "", 1, 5},
      {WM_CORE_CURR_PATH, r + "t\\sub\\", 0, 0},
      {WM_CORE_UPDATE_SCAN, "", 1, 3},
      {WM_CORE_UPDATE_SCAN, "", 1, 1},
      {WM_CORE_CURR_PATH, r + "t\\sub\\deep\\", 0, 0},
      {WM_CORE_SCAN_END, "", 0, 0},
  };
  ASSERT_EQ(fixture.Recorder.Messages.size(), std::size(messages));
  for (std::size_t i = 0; i < std::size(messages); ++i) {
    const TRecordedMessage& got = fixture.Recorder.Messages[i];
    EXPECT_EQ(got.Message, messages[i].Message) << i;
    EXPECT_EQ(got.Item.Text, messages[i].Text) << i;
    EXPECT_EQ(got.Item.Count, messages[i].Count) << i;
    EXPECT_EQ(got.Item.Size, messages[i].Size) << i;
    EXPECT_FALSE(got.Item.Stopped || got.Item.Failed) << i;
  }

  ASSERT_EQ(FoundList.Window().size(), 4u);
  const TFileRec& first = *FoundList.Window()[0];
  EXPECT_EQ(first.Path(), r + "t\\a.tmp");
  EXPECT_EQ(first.Owner(), r + "t\\");
  EXPECT_EQ(first.Category, OBJTYPE_CUSTOM);
  EXPECT_EQ(first.Count, 1);
  EXPECT_EQ(first.Size, 10);
  EXPECT_GT(first.Written(), 40000.0);  // through the services record's FileTimeToDate
  EXPECT_TRUE(core.Folders().empty());
  EXPECT_TRUE(core.Roots().empty());
}

TEST(Scan, FolderItemsAreSearchedWithTheirOwnMasks) {
  struct TItemSpec {
    const char* Folder;
    const char* Masks;
    bool SubFolders;
    bool Nested;
  };
  struct TCase {
    const char* Name;
    std::vector<TItemSpec> Items;
    std::vector<std::string> Found;
  };
  const TCase cases[] = {
      {"same folder twice, first not recursive: both searched",
       {{"t\\", "*.tmp", false, true}, {"t\\", "*.log", false, true}},
       {"t\\a.tmp", "t\\b.log"}},
      {"same folder twice, first recursive: the second is never searched",
       {{"t\\", "*.tmp", true, true}, {"t\\", "*.log", false, true}},
       {"t\\a.tmp", "t\\sub\\c.tmp", "t\\sub\\deep\\e.tmp"}},
      {"inner recursive item's masks rule its subtree",
       {{"t\\", "*.log", true, true}, {"t\\sub\\", "*.tmp", true, true}},
       {"t\\b.log", "t\\sub\\c.tmp", "t\\sub\\deep\\e.tmp"}},
      {"nested non-recursive item reached by a mask-less walk",
       {{"t\\", "*.log", false, true}, {"t\\sub\\deep\\", "*.tmp", false, true}},
       {"t\\b.log", "t\\sub\\deep\\e.tmp"}},
      {"missing folder yields nothing",
       {{"t\\", "*.tmp", false, true}, {"missing\\", "*", true, true}}, {"t\\a.tmp"}},
      {"recursive item pruned below a non-recursive root is still searched",
       {{"t\\sub\\", "*.tmp", true, false}, {"t\\", "*.log", false, false}},
       {"t\\b.log", "t\\sub\\c.tmp", "t\\sub\\deep\\e.tmp"}},
      {"a mask with a set finds by the set",
       {{"t\\", "[a-b].*", false, true}}, {"t\\a.tmp", "t\\b.log"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TScanFixture fixture;
    MakeTree(fixture.Root(), kTree);
    const std::string r = LowerText(fixture.Root());
    TCore core;
    fixture.Scan(core, [&](TScanContext& core) {
      for (const TItemSpec& spec : c.Items) {
        core.Folders().push_back(
            MakeItem(r + spec.Folder, spec.Masks, spec.SubFolders, OBJTYPE_CUSTOM, spec.Nested));
      }
    });
    EXPECT_EQ(FoundBelow(r), c.Found);
  }
}

TEST(Scan, StopDuringTheWalkEndsWithinOneEntry) {
  TScanFixture fixture;
  MakeTree(fixture.Root(), kTree);
  const std::string r = LowerText(fixture.Root());
  TCore core;
  // The first object found asks for the stop, as the window's button would.
  TStandInMisc::OnFileTime = [&core] { core.SetStop(true); };
  fixture.Scan(core, [&](TScanContext& c) {
    c.Folders().push_back(MakeItem(r + "t\\", "*", true, OBJTYPE_CUSTOM));
  });
  ASSERT_EQ(FoundList.Window().size(), 1u);
  const auto& messages = fixture.Recorder.Messages;
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].Message, WM_CORE_CURR_PATH);  // no subfolder was entered
  EXPECT_EQ(messages[1].Message, WM_CORE_UPDATE_SCAN);
  EXPECT_EQ(messages[1].Item.Count, 1);
  EXPECT_EQ(messages[2].Message, WM_CORE_SCAN_END);
  EXPECT_TRUE(messages[2].Item.Stopped);
  EXPECT_FALSE(messages[2].Item.Failed);
  const std::vector<TLogLine> entries = fixture.Entries();
  const std::vector<TLogLine> tail(entries.end() - 3, entries.end());
  const std::vector<TLogLine> expected = {
      {6, "FT 256 FN " + FoundList.Window()[0]->Path()},
      {5, "5. Process others items"},
      {6, "Posting scan end..."},
  };
  EXPECT_EQ(tail, expected);
}

TEST(Scan, ErrorsEndTheChainAndStillPostTheEnd) {
  struct TCase {
    const char* Name;
    std::function<void(TScanContext&, const std::string&)> Collect;
    TCorePart Others;
    TLogLine Logged;
    bool Failed;
  };
  const TCase cases[] = {
      {"collector raises",
       [](TScanContext&, const std::string&) { throw std::runtime_error("cannot read defines"); },
       nullptr,
       {1, "##### EXCEPTION: cannot read defines"}, true},
      {"unclosed set while searching",
       [](TScanContext& core, const std::string& root) {
         core.Folders().push_back(MakeItem(root, "[ab", false, OBJTYPE_CUSTOM));
       },
       nullptr, {1, ""}, false},
      {"others raise", nullptr, [](TScanContext&) { throw std::runtime_error("no store"); },
       {1, "##### EXCEPTION: no store"}, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TScanFixture fixture;
    TCore core;
    core.Parts().CollectOutlook = c.Others;
    const std::string root = fixture.Root();
    fixture.Scan(core, [&](TScanContext& core) {
      if (c.Collect) c.Collect(core, root);
    });
    const std::vector<TLogLine> entries = fixture.Entries();
    auto logged = std::find_if(entries.begin(), entries.end(),
                               [](const TLogLine& line) { return line.Level == 1; });
    ASSERT_NE(logged, entries.end());
    if (!c.Logged.Text.empty()) {
      EXPECT_EQ(*logged, c.Logged);
    }
    EXPECT_EQ(entries.back(), (TLogLine{6, "Posting scan end..."}));
    ASSERT_EQ(fixture.Recorder.Count(WM_CORE_SCAN_END), 1u);
    EXPECT_EQ(fixture.Recorder.Messages.back().Item.Failed, c.Failed);
    EXPECT_TRUE(core.Folders().empty());
  }
}

TEST(Scan, UnreadableNamesAreNeverObjects) {
  TScanFixture fixture;
  MakeTree(fixture.Root(), {"t\\", "t\\plain.tmp"});
  const std::string r = LowerText(fixture.Root());
  // A name outside the code page comes back from the ANSI functions with "?".
  const std::wstring wide = std::wstring(r.begin(), r.end()) + L"t\\\x0416\x0416.tmp";
  TFileHandle(::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_EQ(ListFiles(r + "t\\", "*.tmp").size(), 2u);
  TCore core;
  fixture.Scan(core, [&](TScanContext& c) {
    c.Folders().push_back(MakeItem(r + "t\\", "*", true, OBJTYPE_WIN_TEMP));
  });
  ::DeleteFileW(wide.c_str());
  EXPECT_EQ(FoundBelow(r), std::vector<std::string>{"t\\plain.tmp"});
  const std::vector<TLogLine> entries = fixture.Entries();
  EXPECT_NE(std::find(entries.begin(), entries.end(),
                      TLogLine{3, "Name not readable, skipped: " + r + "t\\??.tmp"}),
            entries.end());
}

TEST(Scan, JunctionsAreNeitherWalkedNorObjects) {
  TScanFixture fixture;
  const TLinkTree tree("scan", {"t\\link"});
  if (!tree.Made()) GTEST_SKIP() << "this system makes no junctions and no link was prepared";
  MakeTree(tree.Root(), {"t\\plain.tmp", "outside\\precious.doc", "outside\\sub\\",
                         "outside\\sub\\deep.tmp"});
  const std::string r = LowerText(tree.Root());
  TCore core;
  fixture.Scan(core, [&](TScanContext& c) {
    c.Folders().push_back(MakeItem(r + "t\\", "*", true, OBJTYPE_WIN_TEMP));
  });
  EXPECT_EQ(FoundBelow(r), std::vector<std::string>{"t\\plain.tmp"});
  const std::vector<TLogLine> entries = fixture.Entries();
  EXPECT_NE(std::find(entries.begin(), entries.end(),
                      TLogLine{4, "Reparse point not followed: " + r + "t\\link"}),
            entries.end());
}

TEST(Scan, CategoryRulesForFoundEntries) {
  struct TCase {
    int Category;
    const char* Name;
    DWORD Attributes;
    bool Accepted;
    bool Locked;
  };
  const TCase cases[] = {
      {OBJTYPE_CUSTOM + 3, "a.tmp", FILE_ATTRIBUTE_NORMAL, true, false},
      {OBJTYPE_CUSTOM, "dir", FILE_ATTRIBUTE_DIRECTORY, false, false},
      {OBJTYPE_IE_CACHE, "index.dat", FILE_ATTRIBUTE_HIDDEN, true, true},
      {OBJTYPE_FF_CACHE, "dir", FILE_ATTRIBUTE_DIRECTORY, false, false},
      {OBJTYPE_RECENTS, "Index.dat", FILE_ATTRIBUTE_NORMAL, true, false},  // compared with case
      {OBJTYPE_WIN_TEMP, "dir", FILE_ATTRIBUTE_DIRECTORY, true, false},
      {OBJTYPE_DB_CACHE, "IconCache.db", FILE_ATTRIBUTE_NORMAL, true, false},
      {OBJTYPE_OL_SENT, "a.tmp", FILE_ATTRIBUTE_NORMAL, false, false},
      {0, "a.tmp", FILE_ATTRIBUTE_NORMAL, false, false},
  };
  TStandInMisc misc;
  TCore core;
  for (const TCase& c : cases) {
    TDirEntry entry;
    entry.Name = c.Name;
    entry.Attributes = c.Attributes;
    const std::string full = std::string("c:\\x\\") + c.Name;
    EXPECT_EQ(AcceptFoundObject(core.ScanContext(), c.Category, full, entry), c.Accepted) << c.Category;
    TFileRec rec;
    rec.Category = c.Category;
    rec.SetPath(full);
    CompleteFoundObject(core.ScanContext(), rec);
    EXPECT_EQ(rec.Locked, c.Locked) << c.Category;
  }
}

}  // namespace
