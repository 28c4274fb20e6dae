// The real main window, made in this process against the program folder of
// this test program (settings, languages, services and resource libraries).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <set>
#include <string>

#include "base/uExecutable.h"
#include "base/uHandles.h"
#include "startup/uMiscLoad.h"
#include "ui/controls/uCheckBoxEx.h"
#include "ui/controls/uGroupBoxEx.h"
#include "ui/controls/uLabelEx.h"
#include "ui/uBarButton.h"
#include "ui/pages/uPageLayouts.h"
#include "ui/uCaptionKeys.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"
#include "ui/uPanel.h"
#include "engine/uProgressQueue.h"
#include "tests/support/uTestSupport.h"
#include "tests/ui/uUiTestSupport.h"
#include "ui/updater/uFormUpdater.h"

using namespace qlm;

namespace {

bool Checked(HWND box) { return TCheckBoxEx::From(box)->Checked(); }

// The width of the control's text in its own font, on one line.
int TextWidthOf(HWND control) {
  const std::string text = WindowText(control);
  TWindowDC dc(control);
  TSelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT bounds{};
  ::DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &bounds,
              DT_SINGLELINE | DT_CALCRECT);
  return bounds.right;
}

// Whether a control shows its whole caption: a check box sizes itself to
// it and must stay inside its parent; the other controls must not cut it.
bool ShowsWholeCaption(HWND control) {
  if (TCheckBoxEx::From(control) != nullptr) {
    RECT box{};
    RECT parent{};
    ::GetWindowRect(control, &box);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&box), 2);
    ::GetClientRect(::GetParent(control), &parent);
    return box.right <= parent.right;
  }
  if (const TLabelEx* label = TLabelEx::From(control)) return label->CaptionFits();
  if (const TBarButton* button = TBarButton::From(control)) {
    return button->PictureOnly() || button->CaptionFits();
  }
  if (const TGroupBoxEx* group = TGroupBoxEx::From(control)) return group->CaptionFits();
  RECT client{};
  ::GetClientRect(control, &client);
  // A push button keeps a margin for its edges and the focus rectangle.
  char className[16] = {};
  ::GetClassNameA(control, className, sizeof className);
  const int margin = lstrcmpiA(className, "Button") == 0 ? 8 : 0;
  return TextWidthOf(control) + margin <= client.right;
}

class MainWindow : public TMainWindowTest {
 protected:
  std::string PageName() const {
    HWND page = fForm->ActivePage();
    return page != nullptr ? WindowText(page) : "";
  }
  int VisiblePages() const {
    int count = 0;
    for (const TPageSpec& page : MainPages()) {
      count += ::IsWindowVisible(::GetDlgItem(fForm->Handle(), page.Id)) ? 1 : 0;
    }
    return count;
  }
};

}  // namespace

TEST_F(MainWindow, OpensOnTheDefaultPageWithTheFrameOfTheDesign) {
  RECT client{};
  ::GetClientRect(fForm->Handle(), &client);
  EXPECT_EQ(client.right, fForm->Scale().Px(MAIN_CLIENT_WIDTH));
  EXPECT_EQ(client.bottom, fForm->Scale().Px(MAIN_CLIENT_HEIGHT));
  EXPECT_EQ(WindowText(fForm->Handle()), APPLICATION_TITLE);
  EXPECT_EQ(PageName(), "pDefault");
  EXPECT_EQ(VisiblePages(), 1);
  EXPECT_FALSE(::IsWindowVisible(C("gbFinalStatus")));
  EXPECT_FALSE(::IsWindowVisible(C("vtReport")));
  EXPECT_FALSE(::IsWindowEnabled(C("cbRemObjsInEnd")));
}

// Each step is a handler; after it the page in front and whether the unsaved
// edits of the scan options (cbTemp) and the main options (cbHidePath) are
// still there.
TEST_F(MainWindow, NavigationKeepsOnePageInFrontAndReloadsAsTheRuleSays) {
  using THandler = void (TFormMain::*)();
  struct Step {
    THandler handler;
    const char* page;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    bool scanEditKept;
    bool mainEditKept;
  };
  const Step scanOptions{&TFormMain::bbScanOptionsClick, "pScanOptions"};
  const Step mainOptions{&TFormMain::bbMainOptionsClick, "pMainOptions"};
  const Step appsOptions{&TFormMain::bbAppsOptionsClick, "pAppsOptions"};
  const Step home{&TFormMain::bbHomeClick, "pDefault"};
  const Step next{&TFormMain::bbNextClick, "pDefault"};
  const Step settings{&TFormMain::bbSettingsClick, "pSettings"};
  const Step close{&TFormMain::bbaoCloseClick, "pSettings"};
  const Case cases[] = {
      {"scan options, then Home reloads them", {scanOptions, home}, false, true},
      {"scan options, then Settings reloads them", {scanOptions, settings}, false, true},
      {"Next behaves as Home", {scanOptions, next}, false, true},
      {"main options once: only they reload", {mainOptions, scanOptions, home}, true, false},
      {"the applications page clears the scan mark", {scanOptions, appsOptions, home}, true, true},
      {"Close on the applications page reloads nothing", {scanOptions, appsOptions, close},
       true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fForm.reset();
    SetUp();
    const bool scanStored = fForm->Config().Options.Core.Temp;
    const bool mainStored = fForm->Config().Options.HidePath;
    TCheckBoxEx::From(C("cbTemp"))->SetChecked(!scanStored);
    TCheckBoxEx::From(C("cbHidePath"))->SetChecked(!mainStored);
    for (const Step& step : c.steps) {
      (fForm.get()->*step.handler)();
      EXPECT_EQ(PageName(), step.page);
      EXPECT_EQ(VisiblePages(), 1);
    }
    EXPECT_EQ(Checked(C("cbTemp")), c.scanEditKept ? !scanStored : scanStored);
    EXPECT_EQ(Checked(C("cbHidePath")), c.mainEditKept ? !mainStored : mainStored);
  }
}

TEST_F(MainWindow, OptionsPagesOpenScrolledToTheTop) {
  fForm->bbScanOptionsClick();
  TPanel* area = TPanel::From(C("sbScanOptions"));
  RECT client{};
  ::GetClientRect(C("sbScanOptions"), &client);
  RECT picture{};
  ::GetWindowRect(C("imgScanOptions"), &picture);
  ::SendMessageA(C("sbScanOptions"), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(area->ScrollPos(), client.bottom);
  RECT moved{};
  ::GetWindowRect(C("imgScanOptions"), &moved);
  EXPECT_EQ(moved.top, picture.top - client.bottom) << "the content moves with the bar";
  fForm->bbSettingsClick();
  fForm->bbScanOptionsClick();
  EXPECT_EQ(area->ScrollPos(), 0);
  EXPECT_EQ(::SendMessageA(C("cbxConfigSelect"), CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(MainWindow, WheelScrollsAnOptionsAreaOnlyWhereTheDesignSays) {
  fForm->bbScanOptionsClick();
  PumpMessages();
  TPanel* area = TPanel::From(C("sbScanOptions"));
  auto centre = [](HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  };
  auto edgeOf = [](HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return POINT{rect.left + 4, rect.bottom - 4};
  };
  struct Case {
    const char* name;
    POINT mouse;
    HWND focus;
    bool shift;
    int delta;
    bool handled;
    bool scrolled;
  } cases[] = {
      {"the area itself", edgeOf(C("sbScanOptions")), nullptr, false, -120, true, true},
      {"a group box placed on the area", centre(C("gbCookies")), nullptr, false, -120, true,
       true},
      {"a focused combo box keeps the wheel", centre(C("cbxConfigSelect")),
       C("cbxConfigSelect"), false, -120, false, false},
      {"Shift scrolls across, not down", edgeOf(C("sbScanOptions")), nullptr, true, -120, true,
       false},
      {"a top-bar button is not on an area", centre(C("bbHome")), nullptr, false, -120, false,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    area->ScrollTo(0);
    ::SetFocus(c.focus != nullptr ? c.focus : C("bbHome"));
    EXPECT_EQ(fForm->FormMouseWheel(c.shift, c.delta, c.mouse), c.handled);
    EXPECT_EQ(area->ScrollPos() > 0, c.scrolled);
    if (c.handled) {
      EXPECT_EQ(::GetFocus(), C("sbScanOptions"));
    }
  }
  area->ScrollTo(200);
  EXPECT_TRUE(fForm->FormMouseWheel(false, 120, edgeOf(C("sbScanOptions"))));
  EXPECT_LT(area->ScrollPos(), 200) << "a positive delta scrolls up";
}

TEST_F(MainWindow, OnlyAFocusMoveBringsAControlIntoView) {
  fForm->bbScanOptionsClick();
  PumpMessages();
  HWND areaWindow = C("sbScanOptions");
  TPanel* area = TPanel::From(areaWindow);
  ::SetFocus(C("cbxConfigSelect"));
  ::SendMessageA(areaWindow, WM_VSCROLL, SB_BOTTOM, 0);
  const int bottom = area->ScrollPos();
  ASSERT_GT(bottom, 0);
  MSG idle{C("cbxConfigSelect"), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3), 0, {}};
  fForm->PreTranslateMessage(idle);
  EXPECT_EQ(area->ScrollPos(), bottom) << "a message that leaves the focus keeps the scrolling";
  MSG tab{C("cbxConfigSelect"), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(fForm->PreTranslateMessage(tab));
  HWND focus = ::GetFocus();
  ASSERT_NE(focus, C("cbxConfigSelect"));
  ASSERT_TRUE(::IsChild(areaWindow, focus));
  RECT item{};
  RECT client{};
  ::GetWindowRect(focus, &item);
  ::MapWindowPoints(nullptr, areaWindow, reinterpret_cast<POINT*>(&item), 2);
  ::GetClientRect(areaWindow, &client);
  EXPECT_GE(item.top, 0);
  EXPECT_LE(item.bottom, client.bottom);
  EXPECT_LT(area->ScrollPos(), bottom);
}

TEST_F(MainWindow, CaptionsFollowTheChosenLanguageEverywhere) {
  TLanguage& language = fForm->Language();
  ASSERT_GE(language.Count(), 2);
  const int start = fForm->LangIndex();
  const LRESULT level = ::SendMessageA(C("cbxLogLevel"), CB_GETCURSEL, 0, 0);
  ASSERT_NE(level, CB_ERR);
  for (int index : {(start + 1) % language.Count(), start}) {
    SCOPED_TRACE(language.GetName(index));
    ::SendMessageA(C("cbxLanguage"), CB_SETCURSEL, index, 0);
    fForm->cbxLanguageSelect();
    ASSERT_EQ(fForm->LangIndex(), index);
    const auto text = [&](const char* key) { return language.GetString(index, key); };
    for (const char* name : MAIN_CAPTION_CONTROLS) {
      if (std::string(name).rfind("pm", 0) == 0) continue;
      EXPECT_EQ(WindowText(C(name)), text(name)) << name;
    }
    for (const auto& [control, key] : {std::pair{"bbcoSave", KEY_SAVE}, {"bbmoSave", KEY_SAVE},
                                       {"lbpfDays", KEY_DAYS}, {"cbDBcache", KEY_DB_CACHE},
                                       {"bbaoClose", KEY_CLOSE}}) {
      EXPECT_EQ(WindowText(C(control)), text(key)) << control;
    }
    char item[256] = {};
    ::GetMenuStringA(fForm->HelpMenu(), ID_pmAbout, item, sizeof item, MF_BYCOMMAND);
    EXPECT_EQ(item, text("pmAbout"));
    EXPECT_EQ(::SendMessageA(C("cbxLogLevel"), CB_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(::SendMessageA(C("cbxLogLevel"), CB_GETCURSEL, 0, 0), level)
        << "the level shown stays chosen";
    std::string version = "v";
    version += language.GetVersion(index);
    EXPECT_EQ(WindowText(C("lbLngFileVersion")), version);
    EXPECT_EQ(WindowText(fForm->AboutBox().Control("wlbforum")), text("wlbforum"));
    EXPECT_EQ(WindowText(fForm->MessageForm().Control("gbMessage")), text("gbMessage"));
    EXPECT_EQ(fForm->UpdateProgramTexts(),
              (std::vector<std::string>{text("FormUpdater.Caption"), text("Update.Close"),
                                        text("Update.Update"), text("Update.Restart")}));
    EXPECT_TRUE(::IsWindowEnabled(C("bbmoSave")));
  }
}

TEST_F(MainWindow, EveryCaptionShowsWholeInEveryLanguage) {
  TLanguage& language = fForm->Language();
  for (int index = 0; index < language.Count(); ++index) {
    SCOPED_TRACE(language.GetName(index));
    ::SendMessageA(C("cbxLanguage"), CB_SETCURSEL, index, 0);
    fForm->cbxLanguageSelect();
    const auto* updater = dynamic_cast<const TFormUpdater*>(fForm->UpdaterWindow());
    ASSERT_NE(updater, nullptr);
    for (const TControlSet* controls : {&fForm->Controls(), &updater->Controls()}) {
      for (const TPlacedControl& placed : controls->Controls()) {
        if (CaptionKey(*placed.Spec).empty()) continue;
        EXPECT_TRUE(ShowsWholeCaption(placed.Window))
            << placed.Spec->Name << ": " << WindowText(placed.Window);
      }
    }
  }
}

// In every language the three spin rows start where their label's text
// ends: a long text pushes the spin box and its unit right, a short one pulls
// them left.
TEST_F(MainWindow, SpinRowsFollowTheTextOfTheirLabelInEveryLanguage) {
  auto placeOf = [](HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  };
  struct Row {
    const char* label;
    const char* spin;
    const char* unit;
    int gap;
  } rows[] = {{"lbDaysOlder", "seDays", "lbDays", 5},
              {"cbPrefetch", "sepfDays", "lbpfDays", 21},
              {"lbwuDaysOlder", "sewuDays", "lbwuDays", 5}};
  const TDpiScale& scale = fForm->Scale();
  std::set<int> placesSeen;
  for (int index = 0; index < fForm->Language().Count(); ++index) {
    SCOPED_TRACE(fForm->Language().GetName(index));
    ::SendMessageA(C("cbxLanguage"), CB_SETCURSEL, index, 0);
    fForm->cbxLanguageSelect();
    for (const Row& row : rows) {
      SCOPED_TRACE(row.label);
      const RECT label = placeOf(C(row.label));
      const RECT spin = placeOf(C(row.spin));
      const RECT arrows = placeOf(SpinButtonOf(C(row.spin)));
      const RECT unit = placeOf(C(row.unit));
      EXPECT_EQ(spin.left, label.left + TextWidthOf(C(row.label)) + scale.Px(row.gap));
      EXPECT_LE(arrows.left, spin.right) << "the arrows stay at their edit";
      EXPECT_GE(arrows.right, spin.right);
      EXPECT_EQ(unit.left, arrows.right + scale.Px(5));
      if (row.spin == std::string("seDays")) placesSeen.insert(spin.left);
    }
  }
  EXPECT_GT(placesSeen.size(), 1u) << "the languages' texts differ in length";
}

TEST_F(MainWindow, RunningPageCaptionTellsTheLastEnd) {
  struct Case {
    bool error, aborted;
    const char* key;
  } cases[] = {{true, true, KEY_END_STATUS_ERROR},
               {false, true, KEY_END_STATUS_ABORT},
               {false, false, KEY_END_STATUS_OK}};
  for (const Case& c : cases) {
    auto end = std::make_unique<TUpdateItem>();
    end->Failed = c.error;
    end->Stopped = c.aborted;
    PostProgress(fForm->Handle(), WM_CORE_SCAN_END, std::move(end));
    PumpMessages();
    fForm->UpdateLabels();
    EXPECT_EQ(WindowText(C("gbCurrStatus")),
              fForm->Language().GetString(fForm->LangIndex(), c.key));
  }
}

TEST_F(MainWindow, AboutWindowShowsVersionsAndClosesWithEscape) {
  TAboutBox& about = fForm->AboutBox();
  // The program's own version (this test program carries the program's
  // resources) and the services library's, as the library reads them.
  EXPECT_EQ(WindowText(about.Control("lbAboutVersionValue")), "1.0.0.0");
  char version[64] = {};
  const int length =
      Misc->FileVersionText((ExecutableFolder() + "misc.dll").c_str(), version, sizeof version);
  EXPECT_EQ(WindowText(about.Control("lbAboutSupportValue")), std::string(version, length));
  // Esc reaches the window as the dialog manager's IDCANCEL, from inside its
  // modal loop.
  ::PostMessageA(about.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  fForm->pmAboutClick();
  EXPECT_FALSE(about.Modal());
  EXPECT_FALSE(::IsWindowVisible(about.Handle()));
  EXPECT_TRUE(::IsWindowEnabled(fForm->Handle()));
}
