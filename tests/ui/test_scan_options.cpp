// The scan options page: the enabling rules, the categories a system lacks,
// the presets, Save and Cancel against quillmere.xml, the folder list with
// the toolkit's chooser, the built-in extensions, and a scan that obeys
// what the page shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "tests/ui/uOptionsPagesTest.h"

using namespace qlm;

namespace {

// From the boxes' first marks, the program's changes in order, then the
// controls that must be enabled and disabled; the change events run the
// rules, so the filling of the page obeys them too.
TEST_F(OptionsPages, EnablingRulesFollowTheChangesOfTheBoxes) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, bool>> changes;
    std::vector<const char*> enabled;
    std::vector<const char*> disabled;
  } cases[] = {
      {"no cookie box: the cookie options greyed",
       {{"cbFireFoxCookies", false}, {"cbFlockCookies", false}, {"cbTrackCookies", false}},
       {},
       {"cbEraseAll", "cbUseDef", "cbCookiesIndexDat"}},
      {"Flock alone enables erase-all and the default list",
       {{"cbTrackCookies", false}, {"cbFireFoxCookies", false}, {"cbFlockCookies", true}},
       {"cbEraseAll", "cbUseDef"},
       {"cbCookiesIndexDat"}},
      {"then Track decides from Track and Firefox alone",
       {{"cbFlockCookies", true}, {"cbTrackCookies", true}, {"cbTrackCookies", false}},
       {},
       {"cbEraseAll", "cbUseDef", "cbCookiesIndexDat"}},
      {"Firefox alone",
       {{"cbTrackCookies", false}, {"cbFlockCookies", false}, {"cbFireFoxCookies", true}},
       {"cbEraseAll", "cbUseDef"},
       {}},
      {"the default list greys the own file", {{"cbUseDef", true}}, {}, {"leCookiesDef", "bbBrowseCookies"}},
      {"no default list: the own file", {{"cbUseDef", false}}, {"leCookiesDef", "bbBrowseCookies"}, {}},
      {"no cache: its options greyed", {{"cbCache", false}}, {}, {"cbForceDel", "cbShowFiles", "cbIEIndexDat"}},
      {"cache", {{"cbCache", true}}, {"cbForceDel", "cbShowFiles", "cbIEIndexDat"}, {}},
      {"no updates: their days greyed",
       {{"cbWinUpdates", false}},
       {"cbwuOrphanUpdates"},
       {"cbwuOptionalUpdates", "lbwuDaysOlder", "sewuDays", "lbwuDays"}},
      {"updates", {{"cbWinUpdates", true}}, {"cbwuOptionalUpdates", "lbwuDaysOlder", "sewuDays", "lbwuDays"}, {}},
      {"fixed drives grey the own folders",
       {{"cbAddFolders", false}, {"cbFixedDrives", true}},
       {"cbDefExts", "eAddExts", "seDays"},
       {"cbAddFolders"}},
      {"neither fixed drives nor folders",
       {{"cbFixedDrives", false}, {"cbAddFolders", false}},
       {"cbAddFolders"},
       {"cbDefExts", "eAddExts", "seDays", "bbAdd", "bbRemove"}},
      {"own folders: Add, but no Remove before a choice",
       {{"cbFixedDrives", false}, {"cbAddFolders", true}},
       {"bbAdd", "cbDefExts", "eAddExts", "seDays"},
       {"bbRemove"}},
      {"own folders while fixed drives are on: no Add",
       {{"cbFixedDrives", true}, {"cbAddFolders", true}},
       {"cbDefExts"},
       {"bbAdd", "cbAddFolders"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& [box, checked] : c.changes) Set(box, checked);
    for (const char* name : c.enabled) EXPECT_TRUE(Enabled(name)) << name;
    for (const char* name : c.disabled) EXPECT_FALSE(Enabled(name)) << name;
  }
  // A spin box's arrows go with its edit.
  Set("cbWinUpdates", false);
  EXPECT_FALSE(::IsWindowEnabled(SpinButtonOf(C("sewuDays"))));
  // Filling the page runs the rules from the settings.
  TCoreOptions& core = fForm->Config().Options.Core;
  core.IeCache = false;
  core.System.FixedDrives = false;
  core.System.SelFolders = true;
  fForm->SetCoreOptions();
  EXPECT_FALSE(Enabled("cbForceDel"));
  EXPECT_TRUE(Enabled("bbAdd"));
  EXPECT_FALSE(Enabled("bbcoSave")) << "a filled page has nothing to save";
}

TEST_F(OptionsPages, CategoriesThisSystemLacksAreUntickedGreyedAndStoredOff) {
  TOptions& options = fForm->Config().Options;
  options.Main.LegacyCategoriesOff = true;
  options.Main.OutlookAvailable = false;
  for (bool* field : {&options.Core.IeUpdates, &options.Core.OeDeleted, &options.Core.WinUpdates,
                      &options.Core.WinUpdatesOptional, &options.Core.WinUpdatesOrphan,
                      &options.Core.OlDeleted, &options.Core.OlJunk}) {
    *field = true;
  }
  fForm->SetCoreOptions();
  for (const char* box : {"cbIEUpdates", "cbOleDeleted", "cbWinUpdates", "cbwuOptionalUpdates",
                          "cbwuOrphanUpdates", "cbOlDeleted", "cbOlJunk"}) {
    EXPECT_FALSE(Checked(box)) << box;
    EXPECT_FALSE(Enabled(box)) << box;
  }
  EXPECT_FALSE(Enabled("sewuDays"));
  fForm->bbScanOptionsClick();
  Click("cbTemp");
  fForm->bbcoSaveClick();
  const TCoreOptions stored = Stored().Core;
  for (bool field : {stored.IeUpdates, stored.OeDeleted, stored.WinUpdates,
                     stored.WinUpdatesOptional, stored.WinUpdatesOrphan, stored.OlDeleted,
                     stored.OlJunk}) {
    EXPECT_FALSE(field);
  }
}

// A preset is in memory at once and shown; Cancel keeps it in memory but
// not in the file; Save stores it.
TEST_F(OptionsPages, PresetsApplyInMemoryAndOnlySaveStoresThem) {
  struct Preset {
    const char* name;
    void (TConfig::*apply)();
  } presets[] = {{"Default scan", &TConfig::ApplyDefaultScan},
                 {"Fast scan", &TConfig::ApplyFastScan},
                 {"Full scan", &TConfig::ApplyFullScan},
                 {"Internet scan", &TConfig::ApplyInternetScan}};
  ASSERT_EQ(::SendMessageA(C("cbxConfigSelect"), CB_GETCOUNT, 0, 0), 4);
  for (int index = 0; index < 4; ++index) {
    SCOPED_TRACE(presets[index].name);
    char item[64] = {};
    ::SendMessageA(C("cbxConfigSelect"), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, presets[index].name);
    // Start from the opposite of the preset where it decides, so that every
    // field it sets shows a change.
    TConfig expected(SETTINGS_FILE);
    expected.Options.Core = fForm->Config().Options.Core;
    (expected.*presets[index].apply)();
    const std::string fileBefore = ReadFileBytes(SettingsPath());

    fForm->bbScanOptionsClick();
    Choose("cbxConfigSelect", index);
    EXPECT_EQ(CoreFields(fForm->Config().Options.Core), CoreFields(expected.Options.Core));
    for (const TBoxField& box : kBoxFields) {
      EXPECT_EQ(Checked(box.Box), box.Field(expected.Options.Core)) << box.Box;
    }
    EXPECT_TRUE(Enabled("bbcoSave"));
    Click("bbcoCancel");
    EXPECT_EQ(PageName(), "pSettings");
    EXPECT_EQ(CoreFields(fForm->Config().Options.Core), CoreFields(expected.Options.Core))
        << "the next scan uses the preset";
    EXPECT_EQ(ReadFileBytes(SettingsPath()), fileBefore) << "Cancel writes nothing";

    fForm->bbScanOptionsClick();
    EXPECT_EQ(::SendMessageA(C("cbxConfigSelect"), CB_GETCURSEL, 0, 0), CB_ERR);
    Choose("cbxConfigSelect", index);
    Click("bbcoSave");
    EXPECT_EQ(CoreFields(Stored().Core), CoreFields(expected.Options.Core));
    EXPECT_FALSE(Enabled("bbcoSave"));
  }
  // Fast scan keeps the Flock choices; Internet scan turns Windows and the
  // disks off.
  TCoreOptions& core = fForm->Config().Options.Core;
  core.FlockCache = true;
  core.FlockCookies = false;
  fForm->SetCoreOptions();
  Choose("cbxConfigSelect", 1);
  EXPECT_TRUE(Checked("cbFlockCache"));
  EXPECT_FALSE(Checked("cbFlockCookies"));
  Choose("cbxConfigSelect", 3);
  for (const char* box : {"cbWinUpdates", "cbWinTemp", "cbPrefetch", "cbFixedDrives",
                          "cbAddFolders"}) {
    EXPECT_FALSE(Checked(box)) << box;
  }
}

// Every control of the scan page changed as a user would, saved, and read
// back from the file field by field.
TEST_F(OptionsPages, ScanPageSavesEveryControlIntoTheFile) {
  fForm->bbScanOptionsClick();
  ASSERT_FALSE(Enabled("bbcoSave"));
  // Fixed drives off first, so that the own folders can be chosen.
  Set("cbFixedDrives", false);
  Set("cbAddFolders", true);
  Set("cbUseDef", false);
  Set("cbCache", true);
  Set("cbWinUpdates", true);
  for (const char* box : {"cbTrackCookies", "cbFireFoxCookies", "cbFlockCookies"}) Set(box, true);
  const auto clicked = [](const TBoxField& box) {
    return std::string(box.Box) != "cbFixedDrives" && std::string(box.Box) != "cbAddFolders";
  };
  std::vector<bool> shownBefore;
  for (const TBoxField& box : kBoxFields) shownBefore.push_back(Checked(box.Box));
  // Each box that another one greys is clicked before that one.
  for (auto box = std::rbegin(kBoxFields); box != std::rend(kBoxFields); ++box) {
    if (clicked(*box)) Click(box->Box);
  }
  EXPECT_TRUE(Enabled("bbcoSave")) << "a click is an edit";
  Type("leCookiesDef", "C:\\defs\\my cookies.txt");
  Type("eAddExts", "*.log|*.dmp");
  Type("sewuDays", "99");  // beyond the range: the highest value
  Type("sepfDays", "12");
  Type("seDays", "");      // no number: the lowest value
  ChooseFolders({{TFolderChoice::Chosen, "C:\\Program Files\\Junk"},
                 {TFolderChoice::Chosen, "D:\\"},
                 {TFolderChoice::Chosen, "E:\\gone"}});
  for (int add = 0; add < 3; ++add) Click("bbAdd");
  fForm->lbxFoldersClick({5, 2 + 2 * static_cast<int>(::SendMessageA(C("lbxFolders"), LB_GETITEMHEIGHT, 0, 0))});
  Click("bbRemove");
  EXPECT_EQ(Folders(), (std::vector<std::string>{"C:\\Program Files\\Junk\\", "D:\\"}));

  Click("bbcoSave");
  EXPECT_EQ(PageName(), "pSettings");
  EXPECT_FALSE(Enabled("bbcoSave"));
  const TCoreOptions stored = Stored().Core;
  EXPECT_EQ(CoreFields(stored), CoreFields(fForm->Config().Options.Core));
  for (std::size_t index = 0; index < std::size(kBoxFields); ++index) {
    const TBoxField& box = kBoxFields[index];
    EXPECT_EQ(box.Field(stored), Checked(box.Box)) << box.Box;
    if (clicked(box)) {
      EXPECT_NE(box.Field(stored), shownBefore[index]) << box.Box << " was clicked";
    }
  }
  EXPECT_EQ(stored.Cookies.DefsFile, "C:\\defs\\my cookies.txt");
  EXPECT_EQ(stored.System.AddExts, "*.log|*.dmp");
  EXPECT_EQ(stored.WinUpdatesDays, 60);
  EXPECT_EQ(stored.PrefetchDays, 12);
  EXPECT_EQ(stored.System.DaysOlder, 0);
  EXPECT_EQ(WindowText(C("sewuDays")), "60") << "the page shows what was stored";
  // A folder with a blank comes back whole.
  fForm->SetCoreOptions();
  EXPECT_EQ(Folders(), (std::vector<std::string>{"C:\\Program Files\\Junk\\", "D:\\"}));
}

TEST_F(OptionsPages, FolderListRemovesOnlyAChosenFolder) {
  fForm->bbScanOptionsClick();
  Set("cbFixedDrives", false);
  Set("cbAddFolders", true);
  ChooseFolders({{TFolderChoice::Chosen, "C:\\a"},
                 {TFolderChoice::Cancelled, ""},
                 {TFolderChoice::Unreadable, ""},
                 {TFolderChoice::Chosen, "C:\\a\\"}});
  Click("bbAdd");
  EXPECT_TRUE(Enabled("bbcoSave"));
  ::EnableWindow(C("bbcoSave"), FALSE);
  Click("bbAdd");
  EXPECT_FALSE(Enabled("bbcoSave")) << "a cancelled choice is no edit";
  {
    TMessageBoxAnswer error(Text(KEY_CAP_ERROR));
    Click("bbAdd");
    EXPECT_EQ(error.Text(), Text(KEY_FOLDER_NAME_ERROR));
  }
  EXPECT_FALSE(Enabled("bbcoSave")) << "a name that cannot be read exactly is never added";
  Click("bbAdd");
  EXPECT_EQ(Folders(), (std::vector<std::string>{"C:\\a\\", "C:\\a\\"})) << "as the design adds";
  EXPECT_FALSE(Enabled("bbRemove"));
  const int height = static_cast<int>(::SendMessageA(C("lbxFolders"), LB_GETITEMHEIGHT, 0, 0));
  struct Step {
    POINT click;
    bool removable;
  } steps[] = {{{5, height + 2}, true}, {{5, 5 * height}, false}, {{5, 2}, true}};
  for (const Step& step : steps) {
    fForm->lbxFoldersClick(step.click);
    EXPECT_EQ(Enabled("bbRemove"), step.removable);
    EXPECT_EQ(::SendMessageA(C("lbxFolders"), LB_GETCURSEL, 0, 0) != LB_ERR, step.removable);
  }
  Click("bbRemove");
  EXPECT_EQ(Folders().size(), 1u);
  EXPECT_FALSE(Enabled("bbRemove")) << "disabled again after each removal";
  // The keyboard's selection enables it too.
  ::SendMessageA(C("lbxFolders"), LB_SETCURSEL, 0, 0);
  ::SendMessageA(fForm->Handle(), WM_COMMAND, MAKEWPARAM(ID_lbxFolders, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(C("lbxFolders")));
  EXPECT_TRUE(Enabled("bbRemove"));
}

// The toolkit's chooser itself: its tree starts at the computer, with the
// drives below, and the drive chosen comes into the list as a folder.
TEST_F(OptionsPages, FolderChooserStartsAtTheComputerAndAddsTheChosenDrive) {
  fForm->bbScanOptionsClick();
  Set("cbFixedDrives", false);
  Set("cbAddFolders", true);
  std::string root;
  std::string drive;
  std::thread user([&] {
    HWND dialog = nullptr;
    for (int tries = 0; tries < 1000 && dialog == nullptr; ++tries) {
      ::Sleep(10);
      for (HWND found = ::FindWindowExA(nullptr, nullptr, "#32770", nullptr); found != nullptr;
           found = ::FindWindowExA(nullptr, found, "#32770", nullptr)) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(found, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(found)) dialog = found;
      }
    }
    if (dialog == nullptr) return;
    HWND tree = ::FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    for (int tries = 0; tries < 500 && TreeView_GetRoot(tree) == nullptr; ++tries) ::Sleep(10);
    const auto textOf = [tree](HTREEITEM item) {
      char text[MAX_PATH] = {};
      TVITEMA data{};
      data.mask = TVIF_TEXT;
      data.hItem = item;
      data.pszText = text;
      data.cchTextMax = sizeof text;
      ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
      return std::string(text);
    };
    HTREEITEM top = TreeView_GetRoot(tree);
    root = textOf(top);
    ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(top));
    for (HTREEITEM item = TreeView_GetChild(tree, top); item != nullptr;
         item = TreeView_GetNextSibling(tree, item)) {
      if (textOf(item).find("(C:)") != std::string::npos) {
        drive = textOf(item);
        TreeView_SelectItem(tree, item);
        break;
      }
    }
    ::PostMessageA(dialog, WM_COMMAND, drive.empty() ? IDCANCEL : IDOK, 0);
  });
  fForm->bbAddClick();
  user.join();
  EXPECT_FALSE(root.empty());
  EXPECT_NE(drive, "") << "the drives stand right below the root";
  EXPECT_EQ(Folders(), std::vector<std::string>{"C:\\"});
  EXPECT_TRUE(Enabled("bbcoSave"));
}

TEST_F(OptionsPages, ShowListTogglesTheBuiltInExtensionsWithoutTheirVersion) {
  fForm->bbScanOptionsClick();
  HWND list = C("lbxDefExts");
  ASSERT_FALSE(::IsWindowVisible(list));
  fForm->lbShowClick();
  EXPECT_TRUE(::IsWindowVisible(list));
  std::vector<std::string> items;
  for (LRESULT index = 0; index < ::SendMessageA(list, LB_GETCOUNT, 0, 0); ++index) {
    char text[64] = {};
    ::SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    items.emplace_back(text);
  }
  EXPECT_EQ(items, (std::vector<std::string>{"*.tmp", "*.bak", "*.old"}));
  RECT shown{};
  RECT area{};
  ::GetWindowRect(list, &shown);
  ::GetWindowRect(C("sbScanOptions"), &area);
  EXPECT_GE(shown.top, area.top);
  EXPECT_LE(shown.bottom, area.bottom) << "the list comes into view";
  fForm->lbShowClick();
  EXPECT_FALSE(::IsWindowVisible(list));
  // A missing file is an error, not a crash.
  ::DeleteFileA((fDefines->Path() + "extensions.def").c_str());
  TMessageBoxAnswer error(Text(KEY_CAP_ERROR));
  fForm->lbShowClick();
  EXPECT_NE(error.Text(), "");
  EXPECT_FALSE(::IsWindowVisible(list));
}

// The next scan obeys the page: a category unticked and saved is not looked
// for, and an application unticked in the list is not either.
TEST_F(OptionsPages, ScanAfterUntickingFindsNoneOfThatCategory) {
  TTempFolder tree;
  TTempFolder appFolder;
  WriteFileBytes(tree.Path() + "a.tmp", "12345");
  WriteFileBytes(appFolder.Path() + "cache.bin", "123");
  WriteFileBytes(ScriptPath(), "[1]\r\n[Cache app]\r\nversion=1\r\nitems=1\r\n0.folder_include=" +
                                   appFolder.Path() + "\r\n0.extension_include=*.bin\r\n");
  fForm->ClearCustomDefines();
  fForm->LoadCustomDefines();
  fForm->RegisterCustomDefines();
  fForm->Config().Options.Core = TCoreOptions{};
  fForm->Config().Options.Core.CustomDefines = &fForm->AppDefines();
  fForm->Config().Options.SelFoundObjs = true;
  fForm->SetCoreOptions();
  fForm->bbScanOptionsClick();
  Click("cbAddFolders");
  ChooseFolders({{TFolderChoice::Chosen, tree.Path()}});
  Click("bbAdd");
  Type("eAddExts", "*.tmp");
  Click("bbcoSave");

  const auto scan = [this] {
    fForm->bbScanClick();
    EXPECT_TRUE(PumpUntil([this] { return !fForm->OperationRunning(); }, 30000));
    std::vector<int> categories;
    for (const TReportGroup& group : fForm->Report().Groups()) categories.push_back(group.Category);
    std::sort(categories.begin(), categories.end());
    return categories;
  };
  EXPECT_EQ(scan(), (std::vector<int>{OBJTYPE_SYSTEM_JUNK, OBJTYPE_CUSTOM}));
  fForm->bbFinishClick();

  fForm->bbScanOptionsClick();
  Click("cbAddFolders");
  Click("bbcoSave");
  fForm->bbAppsOptionsClick();
  ListView_SetCheckState(C("lvApps"), 0, FALSE);
  fForm->bbaoCloseClick();
  fForm->bbScanOptionsClick();
  Click("bbcoSave");
  EXPECT_EQ(scan(), std::vector<int>{});
  fForm->bbFinishClick();
}

}  // namespace
