#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "base/uText.h"
#include "engine/uCustomDefine.h"
#include "engine/uProgressQueue.h"
#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

// A program folder whose script is the given text, with the Windows and the
// program files folders below the fixture root.
class TScriptFixture {
 public:
  explicit TScriptFixture(const std::string& script) {
    R = Scan.Root();
    MakeTree(R, {"app\\", "app\\defines\\", "WIN\\", "WIN\\temp\\", "PF\\", "PF\\c\\"});
    TStandInMisc::Folders[66] = R + "WIN";
    TStandInMisc::Folders[60] = R + "PF";
    WriteFileBytes(ScriptFile(), script);
  }
  std::string AppFolder() const { return R + "app\\"; }
  std::string ScriptFile() const { return R + "app\\defines\\applications.script"; }
  TOptions OptionsWith(const TCustomDefineList& list) const {
    TOptions options;
    options.SelFoundObjs = true;
    options.Core.CustomDefines = &list;
    return options;
  }

  TScanFixture Scan;
  std::string R;
};

const char kScript[] =
    "[1.0.2]\r\n"
    "; applications\r\n"
    "[First]\r\n"
    "version=2.1\r\n"
    "display=First group\r\n"
    "items=2\r\n"
    "0.folder_include={win}\\temp\r\n"
    "0.extension_include=*.tmp|*.log\r\n"
    "\r\n"
    "[Second]\r\n"
    "selected=0\r\n"
    "items=3\r\n"
    "0.folder_include=\r\n"
    "0.extension_include=*\r\n"
    "1.folder_include={pf}\\c\r\n"
    "2.folder_include={pf}\\c\r\n"
    "2.extension_include=*\r\n"
    "[Third]\r\n"
    "display=Third group\r\n"
    "selected=yes\r\n"
    "items=2\r\n"
    "0.folder_include={PF}\\c\r\n"
    "0.extension_include=My Files.dat|\"My Files.dat\"\r\n"
    "0.extension_exclude=keep.*\r\n"
    "0.folder_exclude=*\\keep\\\r\n"
    "0.subfolder=1\r\n"
    "0.rem_emptyfolder=2\r\n"
    "1.folder_include={nosuch}\\x\r\n"
    "1.extension_include=*\r\n";

std::vector<std::string> Names(const TCustomDefineList& list) {
  std::vector<std::string> names;
  for (const auto& define : list.Items) names.push_back(define->Name);
  return names;
}

bool Logged(const std::vector<TLogLine>& entries, const TLogLine& line) {
  return std::find(entries.begin(), entries.end(), line) != entries.end();
}

}  // namespace

TEST(CustomDefine, ScriptSectionsBecomeApplications) {
  TScriptFixture f(kScript);
  const TCustomDefineList list = LoadCustomDefines(f.AppFolder());
  EXPECT_EQ(list.Version, "1.0.2");
  ASSERT_EQ(Names(list), (std::vector<std::string>{"First", "Second", "Third"}));
  const TCustomDefine& first = *list.Items[0];
  const TCustomDefine& second = *list.Items[1];
  const TCustomDefine& third = *list.Items[2];
  EXPECT_EQ(first.FileName, f.ScriptFile());
  EXPECT_EQ(first.Category, 256);
  EXPECT_EQ(third.Category, 258);
  EXPECT_EQ(list.ByCategory(258), &third);
  EXPECT_EQ(list.ByCategory(259), nullptr);
  EXPECT_EQ(first.Version, "2.1");
  EXPECT_EQ(first.Display, "First group");
  EXPECT_TRUE(first.Selected) << "no \"selected\" reads as ticked";
  EXPECT_FALSE(second.Selected);
  EXPECT_TRUE(third.Selected) << "a tick that is no number reads as ticked";
  // Two declared items with keys for one: one record, the second raises.
  EXPECT_EQ(first.ItemCount, 2);
  EXPECT_EQ(first.Items.size(), 1u);
  EXPECT_THROW(first.GetItem(1), std::out_of_range);
  // The list ends at the first incomplete item, whatever follows.
  EXPECT_EQ(second.ItemCount, 3);
  ASSERT_EQ(second.Items.size(), 1u);
  EXPECT_EQ(second.GetItem(0).FolderInclude, "");
  const TCustomInternal& item = third.GetItem(0);
  EXPECT_TRUE(item.SubFolder);
  EXPECT_TRUE(item.RemEmptyFolder);
  EXPECT_EQ(item.FolderExclude, "*\\keep\\");
  EXPECT_EQ(item.ExtensionExclude, "keep.*");
  EXPECT_FALSE(first.GetItem(0).SubFolder);
}

TEST(CustomDefine, ScriptsThatGiveFewerApplications) {
  std::string many = "[1.0.0]\r\n";
  for (int i = 0; i < MAX_CUSTOM_DEFINES + 2; ++i) many += "[App" + std::to_string(i) + "]\r\n";
  const struct {
    std::string Script;
    std::string Version;
    std::size_t Count;
  } cases[] = {
      {"", "", 0},
      {"[Lonely]\r\nitems=1\r\n0.folder_include={win}\r\n0.extension_include=*\r\n", "Lonely", 0},
      {"[2.0.0]\r\n[A]\r\n[a]\r\n[B]\r\n", "2.0.0", 2},
      {many, "1.0.0", MAX_CUSTOM_DEFINES},
  };
  for (const auto& c : cases) {
    TScriptFixture f(c.Script);
    const TCustomDefineList list = LoadCustomDefines(f.AppFolder());
    EXPECT_EQ(list.Version, c.Version);
    EXPECT_EQ(list.Items.size(), c.Count) << c.Version;
    if (!list.Items.empty()) {
      EXPECT_EQ(list.Items.back()->Category, 255 + int(c.Count));
    }
  }
  TScriptFixture missing("");
  ::DeleteFileA(missing.ScriptFile().c_str());
  const TCustomDefineList none = LoadCustomDefines(missing.AppFolder());
  EXPECT_EQ(none.Version, "");
  EXPECT_TRUE(none.Items.empty());
}

TEST(CustomDefine, SetSelectedChangesOnlyItsOwnLine) {
  const struct {
    std::string Before;
    const char* Name;
    bool Selected;
    std::string After;
  } cases[] = {
      {"[1]\r\n[A]\r\nselected=1\r\n; note\r\nitems=0\r\n[B]\r\nselected=1\r\n", "B", false,
       "[1]\r\n[A]\r\nselected=1\r\n; note\r\nitems=0\r\n[B]\r\nselected=0\r\n"},
      {"[1]\r\n[A]\r\n Selected = 0 ; x\r\n", "a", true, "[1]\r\n[A]\r\n Selected = 1\r\n"},
      {"[1]\r\n[A]\r\nversion=1\r\nitems=0\r\n\r\n; B next\r\n[B]\r\n", "A", false,
       "[1]\r\n[A]\r\nversion=1\r\nitems=0\r\nselected=0\r\n\r\n; B next\r\n[B]\r\n"},
      {"[1]\n[A]\n; only a note\n[B]\n", "A", true, "[1]\n[A]\nselected=1\n; only a note\n[B]\n"},
      {"[1]\r\n[A]\r\nitems=0", "A", false, "[1]\r\n[A]\r\nitems=0\r\nselected=0\r\n"},
      {"[1]\r\n[A]\r\nselected=0\r\n", "Gone", true,
       "[1]\r\n[A]\r\nselected=0\r\n[Gone]\r\nselected=1\r\n"},
  };
  for (const auto& c : cases) {
    TScriptFixture f(c.Before);
    TCustomDefine define(f.ScriptFile(), c.Name);
    EXPECT_TRUE(define.SetSelected(c.Selected));
    EXPECT_EQ(define.Selected, c.Selected);
    EXPECT_EQ(ReadFileBytes(f.ScriptFile()), c.After) << c.Before;
    ASSERT_TRUE(define.Load());
    EXPECT_EQ(define.Selected, c.Selected);
  }
}

TEST(CustomDefine, SetSelectedNeverWritesAScriptItCouldNotRead) {
  TScriptFixture f("");
  ::DeleteFileA(f.ScriptFile().c_str());
  TCustomDefine define(f.ScriptFile(), "A");
  EXPECT_FALSE(define.Load());
  EXPECT_FALSE(define.SetSelected(false));
  EXPECT_TRUE(define.Selected) << "the tick in memory stays as it was";
  EXPECT_EQ(::GetFileAttributesA(f.ScriptFile().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(CustomDefine, SetSelectedThatCannotWriteKeepsMemoryAndFileInStep) {
  const std::string script = "[1]\r\n[A]\r\nselected=1\r\n";
  TScriptFixture f(script);
  TCustomDefine define(f.ScriptFile(), "A");
  ASSERT_TRUE(define.Load());
  // The file beside the script that takes the new text cannot be made.
  ASSERT_TRUE(::CreateDirectoryA((f.ScriptFile() + ".tmp").c_str(), nullptr));
  EXPECT_FALSE(define.SetSelected(false));
  EXPECT_TRUE(define.Selected);
  EXPECT_EQ(ReadFileBytes(f.ScriptFile()), script);
}

TEST(CustomDefine, CollectorMakesTheItemsOfTickedApplications) {
  TScriptFixture f(kScript);
  TCustomDefineList list = LoadCustomDefines(f.AppFolder());
  list.Items[1]->Selected = true;
  TCore core;
  TCoreInit init = f.Scan.Init();
  init.Options = f.OptionsWith(list);
  core.SetInit(init);
  ASSERT_TRUE(core.CompileFolders());
  const std::string r = LowerText(f.R);
  ASSERT_EQ(core.Folders().size(), 2u) << "the second application's folder never resolves";
  const TFolderItem& temp = *core.Folders()[0];
  EXPECT_EQ(temp.Folder, r + "win\\temp\\");
  EXPECT_EQ(temp.Path, temp.Folder);
  EXPECT_EQ(temp.Category, 256);
  EXPECT_TRUE(temp.Nested);
  EXPECT_EQ(temp.IncludeMasks->Items, (std::vector<std::string>{"*.tmp", "*.log"}));
  EXPECT_TRUE(temp.FolderExclude && temp.FolderExclude->Items.empty());
  EXPECT_TRUE(temp.ExcludeMasks && temp.ExcludeMasks->Items.empty());
  const TFolderItem& third = *core.Folders()[1];
  EXPECT_EQ(third.Folder, r + "pf\\c\\");
  EXPECT_EQ(third.Category, 258);
  EXPECT_EQ(third.IncludeMasks->Items,
            (std::vector<std::string>{"My", "Files.dat", "My Files.dat"}));
  EXPECT_EQ(third.ExcludeMasks->Items, std::vector<std::string>{"keep.*"});
  EXPECT_EQ(third.FolderExclude->Items, std::vector<std::string>{"*\\keep\\"});
  EXPECT_TRUE(third.SubFolders);
  EXPECT_TRUE(third.RemoveEmptyFolders);

  const std::vector<TLogLine> entries = f.Scan.Entries();
  const std::vector<TLogLine> expected = {
      {6, "Name: First"},
      {6, "Selected: True"},
      {6, "C_GetFolderCustomDefine : {win}\\temp"},
      {4, "First: ADD " + f.R + "WIN\\temp\\"},
      {1, "##### EXCEPTION: List index out of bounds (1)"},
      {6, "Name: Second"},
      {6, "Selected: True"},
      {6, "C_GetFolderCustomDefine : "},
      {2, "Second Invalid Folder_Include : "},
      {1, "##### EXCEPTION: List index out of bounds (1)"},
      {1, "##### EXCEPTION: List index out of bounds (2)"},
      {6, "Name: Third"},
      {6, "Selected: True"},
      {6, "C_GetFolderCustomDefine : {PF}\\c"},
      {4, "Third: ADD " + f.R + "PF\\c\\"},
      {6, "C_GetFolderCustomDefine : {nosuch}\\x"},
      {3, "Special Folder \"{nosuch}\" not define!"},
      {2, "Third Invalid Folder_Include : {nosuch}\\x"},
      {6, "Item Outlook Express..."},
  };
  const auto from =
      std::find(entries.begin(), entries.end(), TLogLine{6, "Item custom defines..."});
  ASSERT_NE(from, entries.end());
  EXPECT_EQ(std::vector<TLogLine>(from + 1, from + 1 + expected.size()), expected);
  EXPECT_FALSE(core.Failed()) << "a missing item is logged, nothing more";
}

TEST(CustomDefine, ScanFindsFilesOfTickedApplicationsEveryScan) {
  TScriptFixture f(kScript);
  MakeTree(f.R, {"WIN\\temp\\a.tmp=3", "WIN\\temp\\b.log=4", "WIN\\temp\\c.txt", "WIN\\temp\\d\\",
                 "WIN\\temp\\d\\e.tmp", "PF\\c\\My", "PF\\c\\My Files.dat=7", "PF\\c\\keep.dat",
                 "PF\\c\\keep\\", "PF\\c\\keep\\My"});
  const TCustomDefineList list = LoadCustomDefines(f.AppFolder());
  TCore core;
  for (int scan = 0; scan < 2; ++scan) {
    FoundList.Window().clear();
    f.Scan.Recorder.Messages.clear();
    f.Scan.ScanWith(core, f.OptionsWith(list));
    std::vector<std::string> found;
    for (const auto& rec : FoundList.Window()) {
      found.push_back(std::to_string(rec->Category) + " " + rec->Path().substr(f.R.size()));
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"256 win\\temp\\a.tmp", "256 win\\temp\\b.log",
                                               "258 pf\\c\\My", "258 pf\\c\\My Files.dat"}));
    EXPECT_FALSE(f.Scan.Recorder.Messages.back().Item.Failed);
  }
  std::size_t exceptions = 0;
  for (const TLogLine& line : f.Scan.Entries()) exceptions += line.Level == 1;
  EXPECT_EQ(exceptions, 2u) << "one line per missing item and scan";
  EXPECT_TRUE(Logged(f.Scan.Entries(), {6, "Selected: False"}));
}
