// What the options pages share: the applications' marks saved with the scan
// options into the script, the question before unsaved edits are left, and
// Tab through a page in its order.
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

}  // namespace
