// The three options pages of the real main window against a program folder
// with its own definition files and application script: the enabling
// rules, the presets, Save and Cancel against quillmere.xml, the
// applications' marks against the script, the question before unsaved edits
// are left, and scans that obey what the pages show.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/uExecutable.h"
#include "base/uFileSystem.h"
#include "engine/uCategories.h"
#include "engine/uFoundList.h"
#include "settings/uConfig.h"
#include "startup/uMiscLoad.h"
#include "ui/controls/uCheckBoxEx.h"
#include "ui/uCaptionKeys.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"
#include "ui/uPanel.h"
#include "tests/support/uTestSupport.h"
#include "tests/ui/uUiTestSupport.h"

using namespace qlm;

namespace {

// The script of the fixture: a version, three applications, and a second
// section of the first one's name that cannot become an application.
const char kScript[] =
    "[2.0.7]\r\n"
    "[Alpha]\r\n"
    "version=1.5\r\n"
    "selected=1\r\n"
    "items=0\r\n"
    "[Beta]\r\n"
    "version=0.9\r\n"
    "selected=0\r\n"
    "items=0\r\n"
    "[alpha]\r\n"
    "version=6\r\n"
    "[Gamma]\r\n"
    "version=3\r\n"
    "items=0\r\n";

// Every field of the scan options, by name, as text.
std::vector<std::pair<std::string, std::string>> CoreFields(const TCoreOptions& c) {
  const auto b = [](bool value) { return std::string(value ? "1" : "0"); };
  return {{"Cookies.Enabled", b(c.Cookies.Enabled)},
          {"Cookies.EraseAll", b(c.Cookies.EraseAll)},
          {"Cookies.IndexDat", b(c.Cookies.IndexDat)},
          {"Cookies.DefsFile", c.Cookies.DefsFile},
          {"Cookies.UseDefault", b(c.Cookies.UseDefault)},
          {"Temp", b(c.Temp)},
          {"Mru", b(c.Mru)},
          {"IeCache", b(c.IeCache)},
          {"ForceDel", b(c.ForceDel)},
          {"ShowFiles", b(c.ShowFiles)},
          {"IeIndexDat", b(c.IeIndexDat)},
          {"IeUpdates", b(c.IeUpdates)},
          {"IeHistory", b(c.IeHistory)},
          {"AddrBarUrls", b(c.AddrBarUrls)},
          {"OeDeleted", b(c.OeDeleted)},
          {"RecentsWindows", b(c.RecentsWindows)},
          {"RecentsOffice", b(c.RecentsOffice)},
          {"OlDeleted", b(c.OlDeleted)},
          {"OlJunk", b(c.OlJunk)},
          {"DbCache", b(c.DbCache)},
          {"WinUpdates", b(c.WinUpdates)},
          {"WinUpdatesDays", std::to_string(c.WinUpdatesDays)},
          {"WinUpdatesOptional", b(c.WinUpdatesOptional)},
          {"WinUpdatesOrphan", b(c.WinUpdatesOrphan)},
          {"WinTemp", b(c.WinTemp)},
          {"Prefetch", b(c.Prefetch)},
          {"PrefetchDays", std::to_string(c.PrefetchDays)},
          {"System.FixedDrives", b(c.System.FixedDrives)},
          {"System.SelFolders", b(c.System.SelFolders)},
          {"System.AddFolders", c.System.AddFolders},
          {"System.UseDefExts", b(c.System.UseDefExts)},
          {"System.AddExts", c.System.AddExts},
          {"System.DaysOlder", std::to_string(c.System.DaysOlder)},
          {"FirefoxCache", b(c.FirefoxCache)},
          {"FirefoxCookies", b(c.FirefoxCookies)},
          {"FlockCache", b(c.FlockCache)},
          {"FlockCookies", b(c.FlockCookies)}};
}

// The scan options page's boxes and the fields they show.
struct TBoxField {
  const char* Box;
  bool (*Field)(const TCoreOptions&);
};
const TBoxField kBoxFields[] = {
    {"cbTrackCookies", [](const TCoreOptions& c) { return c.Cookies.Enabled; }},
    {"cbEraseAll", [](const TCoreOptions& c) { return c.Cookies.EraseAll; }},
    {"cbCookiesIndexDat", [](const TCoreOptions& c) { return c.Cookies.IndexDat; }},
    {"cbFireFoxCookies", [](const TCoreOptions& c) { return c.FirefoxCookies; }},
    {"cbFlockCookies", [](const TCoreOptions& c) { return c.FlockCookies; }},
    {"cbUseDef", [](const TCoreOptions& c) { return c.Cookies.UseDefault; }},
    {"cbCache", [](const TCoreOptions& c) { return c.IeCache; }},
    {"cbForceDel", [](const TCoreOptions& c) { return c.ForceDel; }},
    {"cbShowFiles", [](const TCoreOptions& c) { return c.ShowFiles; }},
    {"cbIEIndexDat", [](const TCoreOptions& c) { return c.IeIndexDat; }},
    {"cbIEUpdates", [](const TCoreOptions& c) { return c.IeUpdates; }},
    {"cbAddressBarUrls", [](const TCoreOptions& c) { return c.AddrBarUrls; }},
    {"cbHistory", [](const TCoreOptions& c) { return c.IeHistory; }},
    {"cbOleDeleted", [](const TCoreOptions& c) { return c.OeDeleted; }},
    {"cbWinRecents", [](const TCoreOptions& c) { return c.RecentsWindows; }},
    {"cbOffRecents", [](const TCoreOptions& c) { return c.RecentsOffice; }},
    {"cbTemp", [](const TCoreOptions& c) { return c.Temp; }},
    {"cbMRUHistory", [](const TCoreOptions& c) { return c.Mru; }},
    {"cbOlDeleted", [](const TCoreOptions& c) { return c.OlDeleted; }},
    {"cbOlJunk", [](const TCoreOptions& c) { return c.OlJunk; }},
    {"cbDBcache", [](const TCoreOptions& c) { return c.DbCache; }},
    {"cbFireFoxCache", [](const TCoreOptions& c) { return c.FirefoxCache; }},
    {"cbFlockCache", [](const TCoreOptions& c) { return c.FlockCache; }},
    {"cbWinUpdates", [](const TCoreOptions& c) { return c.WinUpdates; }},
    {"cbwuOptionalUpdates", [](const TCoreOptions& c) { return c.WinUpdatesOptional; }},
    {"cbwuOrphanUpdates", [](const TCoreOptions& c) { return c.WinUpdatesOrphan; }},
    {"cbWinTemp", [](const TCoreOptions& c) { return c.WinTemp; }},
    {"cbPrefetch", [](const TCoreOptions& c) { return c.Prefetch; }},
    {"cbFixedDrives", [](const TCoreOptions& c) { return c.System.FixedDrives; }},
    {"cbAddFolders", [](const TCoreOptions& c) { return c.System.SelFolders; }},
    {"cbDefExts", [](const TCoreOptions& c) { return c.System.UseDefExts; }},
};

std::string SettingsPath() { return ExecutableFolder() + SETTINGS_FILE; }

// The settings as a new start of the program reads them from the file.
TOptions Stored() {
  TConfig config(SETTINGS_FILE);
  config.Load();
  return config.Options;
}

// The program folder of the window holds the fixture's "defines\" for the
// test's lifetime: the script and the three definition files.
class OptionsPages : public TMainWindowTest {
 protected:
  void SetUp() override {
    const std::string defines = ExecutableFolder() + "defines\\";
    ASSERT_TRUE(ForceFolders(defines));
    fDefines = std::make_unique<TTempFolder>(TTempFolder::TTakeOver{}, defines);
    WriteFileBytes(ScriptPath(), kScript);
    WriteFileBytes(defines + "cookies.def", "[4.1]\r\nexample.com\r\n");
    WriteFileBytes(defines + "extensions.def", "[3.2]\r\n*.tmp\r\n*.bak\r\n*.old\r\n");
    WriteFileBytes(defines + "windows.def", "; no sections\r\n");
    TMainWindowTest::SetUp();
    // Every box can be shown as the settings hold it.
    TMainOptions& main = fForm->Config().Options.Main;
    main.LegacyCategoriesOff = false;
    main.OutlookAvailable = true;
    fForm->SetCoreOptions();
  }
  void TearDown() override {
    TMainWindowTest::TearDown();
    fDefines.reset();
  }
  static std::string ScriptPath() {
    return ExecutableFolder() + "defines\\applications.script";
  }

  bool Checked(const char* box) const { return TCheckBoxEx::From(C(box))->Checked(); }
  bool Enabled(const char* name) const { return ::IsWindowEnabled(C(name)) != FALSE; }
  // The program's change of a mark: the change event only.
  void Set(const char* box, bool checked) { TCheckBoxEx::From(C(box))->SetChecked(checked); }
  // A user's click: the change event, then the click event.
  void Click(const char* name) { ::SendMessageA(C(name), BM_CLICK, 0, 0); }
  void Type(const char* edit, const std::string& text) {
    ::SetWindowTextA(C(edit), text.c_str());
  }
  void Choose(const char* list, int index) {
    ::SendMessageA(C(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(fForm->Handle(), WM_COMMAND,
                   MAKEWPARAM(::GetDlgCtrlID(C(list)), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(C(list)));
  }
  std::string PageName() const { return WindowText(fForm->ActivePage()); }
  std::vector<std::string> Folders() const {
    std::vector<std::string> items;
    const auto count = ::SendMessageA(C("lbxFolders"), LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
      char text[MAX_PATH] = {};
      ::SendMessageA(C("lbxFolders"), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
      items.emplace_back(text);
    }
    return items;
  }
  // The folder chooser answers with these, one per Add.
  void ChooseFolders(std::vector<TFolderChoice> answers) {
    fAnswers = std::move(answers);
    fForm->SetShellDialogs({nullptr, nullptr, [this](HWND owner, const std::string& caption) {
                              EXPECT_EQ(owner, fForm->Handle());
                              EXPECT_EQ(caption, Text(KEY_ADD_FOLDERS_DIALOG));
                              TFolderChoice answer = fAnswers.front();
                              fAnswers.erase(fAnswers.begin());
                              return answer;
                            }});
  }
  std::vector<std::string> AppNames() const {
    std::vector<std::string> names;
    HWND list = C("lvApps");
    for (int index = 0; index < ListView_GetItemCount(list); ++index) {
      char name[64] = {};
      char version[64] = {};
      ListView_GetItemText(list, index, 0, name, sizeof name);
      ListView_GetItemText(list, index, 1, version, sizeof version);
      names.push_back(std::string(name) + " " + version +
                      (ListView_GetCheckState(list, index) ? " [x]" : " [ ]"));
    }
    return names;
  }

  std::unique_ptr<TTempFolder> fDefines;
  std::vector<TFolderChoice> fAnswers;
};

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

TEST_F(OptionsPages, MainPageSavesEveryControlAndTheLanguage) {
  struct TFlag {
    const char* box;
    bool TOptions::*field;
  } flags[] = {{"cbScanLowPriority", &TOptions::ScanLowPriority},
               {"cbSelFoundObjs", &TOptions::SelFoundObjs},
               {"cbObjsInRB", &TOptions::MoveRemInRB},
               {"cbHidePath", &TOptions::HidePath},
               {"cbAskConfirm", &TOptions::AskConfirm},
               {"cbShowProgress", &TOptions::ShowProgress},
               {"cbPlaySound", &TOptions::PlaySound},
               {"cbEmptyRBin", &TOptions::EmptyRBin},
               {"cbDelSaveLog", &TOptions::DelSaveLog}};
  fForm->bbMainOptionsClick();
  EXPECT_FALSE(Enabled("cbRemObjsInEnd"));
  const TOptions before = fForm->Config().Options;
  // The box that saves saved lists' purge enables Save on its own.
  Click("cbDelSaveLog");
  EXPECT_TRUE(Enabled("bbmoSave"));
  for (const TFlag& flag : flags) {
    if (std::string(flag.box) != "cbDelSaveLog") Click(flag.box);
  }
  Choose("cbxLogLevel", 3);
  Type("eRetention", " 5 ");
  const int language = (fForm->LangIndex() + 1) % fForm->Language().Count();
  Choose("cbxLanguage", language);
  EXPECT_EQ(fForm->LangIndex(), language) << "the language applies at once";
  Click("bbmoSave");
  EXPECT_EQ(PageName(), "pSettings");
  const TOptions stored = Stored();
  for (const TFlag& flag : flags) {
    EXPECT_EQ(stored.*flag.field, !(before.*flag.field)) << flag.box;
    EXPECT_EQ(fForm->Config().Options.*flag.field, stored.*flag.field) << flag.box;
  }
  EXPECT_EQ(stored.RemObjsScanEnd, before.RemObjsScanEnd);
  EXPECT_EQ(stored.LogLevel, 3);
  EXPECT_EQ(stored.MaxRetention, 5);
  EXPECT_EQ(stored.Main.LngFile, fForm->Language().GetFile(language));
  EXPECT_FALSE(Enabled("bbmoSave"));
}

// A retention that is no decimal number stops the save before anything is
// written: the error stands beside the edit and goes once the text is a
// number.
TEST_F(OptionsPages, RetentionThatIsNoNumberChangesNothing) {
  fForm->bbMainOptionsClick();
  const std::string fileBefore = ReadFileBytes(SettingsPath());
  const TOptions before = fForm->Config().Options;
  for (const char* text : {"abc", "", "1.5", "0x10", "99999999999", "5 files"}) {
    SCOPED_TRACE(text);
    Click("cbHidePath");
    Choose("cbxLogLevel", 2);
    Type("eRetention", text);
    Click("bbmoSave");
    EXPECT_TRUE(::IsWindowVisible(C("lbRetentionError")));
    EXPECT_EQ(::GetFocus(), C("eRetention"));
    EXPECT_EQ(PageName(), "pMainOptions");
    EXPECT_TRUE(Enabled("bbmoSave"));
    EXPECT_EQ(fForm->Config().Options.HidePath, before.HidePath);
    EXPECT_EQ(fForm->Config().Options.LogLevel, before.LogLevel);
    EXPECT_EQ(ReadFileBytes(SettingsPath()), fileBefore);
  }
  Type("eRetention", "7");
  EXPECT_FALSE(::IsWindowVisible(C("lbRetentionError")));
  Click("bbmoSave");
  EXPECT_EQ(Stored().MaxRetention, 7);
  EXPECT_EQ(Stored().LogLevel, 2);
}

// A page with something to save shows Save as its default button, and
// Enter presses it.
TEST_F(OptionsPages, EnterSavesAPageWithEdits) {
  const auto isDefault = [this](const char* button) {
    return (::GetWindowLongA(C(button), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
  };
  fForm->bbMainOptionsClick();
  EXPECT_FALSE(isDefault("bbmoSave"));
  ::SetFocus(C("eRetention"));
  Type("eRetention", "3");
  EXPECT_TRUE(isDefault("bbmoSave"));
  MSG enter{C("eRetention"), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(fForm->PreTranslateMessage(enter));
  PumpMessages();
  EXPECT_EQ(PageName(), "pSettings");
  EXPECT_EQ(Stored().MaxRetention, 3);
  EXPECT_FALSE(isDefault("bbmoSave"));
}

TEST_F(OptionsPages, LevelListWithoutSelectionSavesTheHeldLevel) {
  fForm->Config().Options.LogLevel = 4;
  fForm->SetMainOptions();
  fForm->bbMainOptionsClick();
  ::SendMessageA(C("cbxLogLevel"), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  Click("cbHidePath");
  Click("bbmoSave");
  EXPECT_EQ(Stored().LogLevel, 4);
  EXPECT_EQ(::SendMessageA(C("cbxLogLevel"), CB_GETCURSEL, 0, 0), 4);
}

TEST_F(OptionsPages, CancelShowsTheStoredOptionsAndLanguageAgain) {
  fForm->bbMainOptionsClick();
  const int stored = fForm->LangIndex();
  const bool hidePath = fForm->Config().Options.HidePath;
  Click("cbHidePath");
  Choose("cbxLanguage", (stored + 1) % fForm->Language().Count());
  Click("bbmoCancel");
  EXPECT_EQ(PageName(), "pSettings");
  EXPECT_EQ(Checked("cbHidePath"), hidePath);
  EXPECT_EQ(::SendMessageA(C("cbxLanguage"), CB_GETCURSEL, 0, 0), stored);
  EXPECT_EQ(fForm->LangIndex(), stored) << "the captions speak the stored language";
  EXPECT_EQ(WindowText(C("bbmoSave")), Text(KEY_SAVE));
  EXPECT_FALSE(Enabled("bbmoSave"));
}

TEST_F(OptionsPages, ApplicationsComeFromTheScriptAndTheirMarksGoBackIntoIt) {
  EXPECT_EQ(AppNames(), (std::vector<std::string>{"Alpha 1.5 [x]", "Beta 0.9 [ ]", "Gamma 3 [x]"}))
      << "a second section of a name is left out";
  EXPECT_EQ(WindowText(C("lbScriptApps")), ": v2.0.7");
  EXPECT_EQ(WindowText(C("lbDefCookies")), ": v4.1");
  EXPECT_EQ(WindowText(C("lbDefExtensions")), ": v3.2");
  EXPECT_EQ(WindowText(C("lbDefWindows")), ": v") << "a file without sections";
  const TCustomDefineList* registered = fForm->Config().Options.Core.CustomDefines;
  ASSERT_EQ(registered, &fForm->AppDefines());
  for (int index = 0; index < 3; ++index) {
    EXPECT_EQ(registered->Items[index]->Category, OBJTYPE_CUSTOM + index);
  }

  fForm->bbAppsOptionsClick();
  EXPECT_FALSE(Enabled("bbcoSave"));
  HWND list = C("lvApps");
  ListView_SetCheckState(list, 0, FALSE);
  ListView_SetCheckState(list, 1, TRUE);
  EXPECT_TRUE(Enabled("bbcoSave")) << "a change of the marks is an edit of the scan options";
  EXPECT_TRUE(registered->Items[0]->Selected) << "memory changes with Save only";
  fForm->bbaoCloseClick();
  fForm->bbScanOptionsClick();
  Click("bbcoSave");
  EXPECT_FALSE(registered->Items[0]->Selected);
  EXPECT_TRUE(registered->Items[1]->Selected);
  const std::string script = ReadFileBytes(ScriptPath());
  EXPECT_NE(script.find("[Alpha]\r\nversion=1.5\r\nselected=0\r\n"), std::string::npos) << script;
  EXPECT_NE(script.find("[Beta]\r\nversion=0.9\r\nselected=1\r\n"), std::string::npos) << script;
  EXPECT_NE(script.find("[alpha]\r\nversion=6\r\n[Gamma]"), std::string::npos) << script;

  // Cancel shows the stored marks again: the next scan obeys what is shown.
  fForm->bbAppsOptionsClick();
  ListView_SetCheckState(list, 2, FALSE);
  fForm->bbaoCloseClick();
  fForm->bbScanOptionsClick();
  Click("bbcoCancel");
  EXPECT_EQ(AppNames(), (std::vector<std::string>{"Alpha 1.5 [ ]", "Beta 0.9 [x]", "Gamma 3 [x]"}));

  // A script that cannot be written keeps its marks, and the list shows them.
  ASSERT_TRUE(::SetFileAttributesA(ScriptPath().c_str(), FILE_ATTRIBUTE_READONLY));
  const std::string kept = ReadFileBytes(ScriptPath());
  ListView_SetCheckState(list, 1, FALSE);
  {
    TMessageBoxAnswer error(Text(KEY_CAP_ERROR));
    Click("bbcoSave");
    EXPECT_NE(error.Text().find(ScriptPath()), std::string::npos);
  }
  ::SetFileAttributesA(ScriptPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadFileBytes(ScriptPath()), kept);
  EXPECT_TRUE(registered->Items[1]->Selected);
  EXPECT_EQ(AppNames()[1], "Beta 0.9 [x]");
}

TEST_F(OptionsPages, LeavingUnsavedEditsAsksFirst) {
  struct Case {
    const char* name;
    int answer;
    bool leaves;
    bool stored;  // the edit in the file afterwards
    bool shown;   // the edit on the page afterwards
  } cases[] = {{"Yes saves and leaves", IDYES, true, true, true},
               {"No shows the stored options and leaves", IDNO, true, false, false},
               {"Cancel stays with the edit", IDCANCEL, false, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fForm->bbScanOptionsClick();
    const bool before = Stored().Core.Temp;
    Click("cbTemp");
    {
      TMessageBoxAnswer question(APPLICATION_TITLE, c.answer);
      fForm->bbHomeClick();
      EXPECT_EQ(question.Text(), Text(KEY_UNSAVED_OPTIONS));
    }
    EXPECT_EQ(PageName(), c.leaves ? "pDefault" : "pScanOptions");
    EXPECT_EQ(Stored().Core.Temp, c.stored ? !before : before);
    EXPECT_EQ(Checked("cbTemp"), c.shown ? !before : before);
    if (!c.leaves) fForm->bbcoCancelClick();
  }
  // Nothing to save: no question.
  fForm->bbMainOptionsClick();
  fForm->bbSettingsClick();
  EXPECT_EQ(PageName(), "pSettings");
  // The main page asks too, and a retention that is no number keeps it open.
  fForm->bbMainOptionsClick();
  Type("eRetention", "x");
  {
    TMessageBoxAnswer question(APPLICATION_TITLE, IDYES);
    fForm->bbSettingsClick();
    EXPECT_EQ(question.Text(), Text(KEY_UNSAVED_OPTIONS));
  }
  EXPECT_EQ(PageName(), "pMainOptions");
  EXPECT_TRUE(::IsWindowVisible(C("lbRetentionError")));
}

// Tab reaches every control of a page in the order of the page, and the
// scrolling area brings each into view.
TEST_F(OptionsPages, TabWalksEveryControlOfAPageInOrder) {
  for (const char* page : {"pScanOptions", "pMainOptions"}) {
    SCOPED_TRACE(page);
    if (std::string(page) == "pScanOptions") {
      fForm->bbScanOptionsClick();
      Click("cbTemp");  // Save takes part too
    } else {
      fForm->bbMainOptionsClick();
    }
    HWND panel = fForm->ActivePage();
    HWND area = ::GetWindow(panel, GW_CHILD);
    while (area != nullptr && TPanel::From(area) == nullptr) area = ::GetWindow(area, GW_HWNDNEXT);
    ASSERT_NE(area, nullptr);
    std::vector<HWND> expected;
    for (const TPlacedControl& placed : fForm->Controls().Controls()) {
      HWND control = placed.Window;
      const LONG style = ::GetWindowLongA(control, GWL_STYLE);
      if (::IsChild(panel, control) && (style & WS_TABSTOP) != 0 &&
          ::IsWindowVisible(control) && ::IsWindowEnabled(control)) {
        expected.push_back(control);
      }
    }
    ASSERT_GT(expected.size(), 5u);
    ::SetFocus(expected.front());
    std::vector<HWND> walked{expected.front()};
    for (std::size_t step = 1; step < expected.size(); ++step) {
      MSG tab{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
      ASSERT_TRUE(fForm->PreTranslateMessage(tab));
      HWND focus = ::GetFocus();
      walked.push_back(focus);
      if (::IsChild(area, focus)) {
        RECT item{};
        RECT client{};
        ::GetWindowRect(focus, &item);
        ::MapWindowPoints(nullptr, area, reinterpret_cast<POINT*>(&item), 2);
        ::GetClientRect(area, &client);
        EXPECT_GE(item.top, 0) << WindowText(focus);
        EXPECT_LE(item.bottom, client.bottom) << WindowText(focus);
      }
    }
    EXPECT_EQ(walked, expected);
    fForm->bbcoCancelClick();
  }
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
