// The fixture of the options pages' tests: the real main window against a
// program folder with its own definition files and application script, and
// the settings read back as a new start of the program would.
#pragma once


#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "base/uExecutable.h"
#include "base/uFileSystem.h"
#include "engine/uCategories.h"
#include "engine/uFoundList.h"
#include "settings/uConfig.h"
#include "startup/uTrace.h"
#include "ui/controls/uCheckBoxEx.h"
#include "ui/uCaptionKeys.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"
#include "ui/uPanel.h"
#include "tests/support/uTestSupport.h"
#include "tests/ui/uUiTestSupport.h"

namespace qlm {

// The script of the fixture: a version, three applications, and a second
// section of the first one's name that cannot become an application.
inline constexpr char kScript[] =
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
inline std::vector<std::pair<std::string, std::string>> CoreFields(const TCoreOptions& c) {
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
inline const TBoxField kBoxFields[] = {
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

inline std::string SettingsPath() { return ExecutableFolder() + SETTINGS_FILE; }

// The settings as a new start of the program reads them from the file.
inline TOptions Stored() {
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

}  // namespace qlm
