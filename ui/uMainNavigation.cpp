// The main window's navigation: the top bar, the settings page's links, the
// help menu, the reload rule and the wheel over the options pages.
#include <windows.h>

#include <string_view>

#include "ui/controls/uLabelEx.h"
#include "ui/pages/uPageLayouts.h"
#include "ui/controls/uCheckBoxEx.h"
#include "ui/uBarButton.h"
#include "ui/uCommandRoute.h"
#include "ui/uControlIds.h"
#include "ui/uFonts.h"
#include "ui/uMain.h"
#include "ui/uPanel.h"

namespace qlm {

namespace {
// Menu items arrive with the code 0, as BN_CLICKED does.
constexpr TCommandRoute kRoutes[] = {
    {ID_bbHome, BN_CLICKED, &TFormMain::bbHomeClick},
    {ID_bbHome, BBN_MOUSEENTER, &TFormMain::bbHomeMouseEnter},
    {ID_bbHome, BBN_MOUSELEAVE, &TFormMain::bbHomeMouseLeave},
    {ID_bbScan, BN_CLICKED, &TFormMain::bbScanClick},
    {ID_bbScan, BBN_MOUSEENTER, &TFormMain::bbScanMouseEnter},
    {ID_bbScan, BBN_MOUSELEAVE, &TFormMain::bbScanMouseLeave},
    {ID_bbSettings, BN_CLICKED, &TFormMain::bbSettingsClick},
    {ID_bbSettings, BBN_MOUSEENTER, &TFormMain::bbSettingsMouseEnter},
    {ID_bbSettings, BBN_MOUSELEAVE, &TFormMain::bbSettingsMouseLeave},
    {ID_bbHelp, BN_CLICKED, &TFormMain::bbHelpClick},
    {ID_bbHelp, BBN_MOUSEENTER, &TFormMain::bbHelpMouseEnter},
    {ID_bbHelp, BBN_MOUSELEAVE, &TFormMain::bbHelpMouseLeave},
    {ID_bbHelpMenu, BN_CLICKED, &TFormMain::bbHelpClick},
    {ID_bbNext, BN_CLICKED, &TFormMain::bbNextClick},
    {ID_bbStop, BN_CLICKED, &TFormMain::bbStopClick},
    {ID_bbClean, BN_CLICKED, &TFormMain::bbCleanClick},
    {ID_bbFinish, BN_CLICKED, &TFormMain::bbFinishClick},
    {ID_btnScanNow, BN_CLICKED, &TFormMain::btnScanNowClick},
    {ID_btnCheckUpdate, BN_CLICKED, &TFormMain::btnCheckUpdateClick},
    {ID_bbScanOptions, LXN_CLICK, &TFormMain::bbScanOptionsClick},
    {ID_bbScanOptions, LXN_MOUSEENTER, &TFormMain::bbScanOptionsMouseEnter},
    {ID_bbScanOptions, LXN_MOUSELEAVE, &TFormMain::bbScanOptionsMouseLeave},
    {ID_bbMainOptions, LXN_CLICK, &TFormMain::bbMainOptionsClick},
    {ID_bbMainOptions, LXN_MOUSEENTER, &TFormMain::bbMainOptionsMouseEnter},
    {ID_bbMainOptions, LXN_MOUSELEAVE, &TFormMain::bbMainOptionsMouseLeave},
    {ID_bbAppsOptions, LXN_CLICK, &TFormMain::bbAppsOptionsClick},
    {ID_bbAppsOptions, LXN_MOUSEENTER, &TFormMain::bbAppsOptionsMouseEnter},
    {ID_bbAppsOptions, LXN_MOUSELEAVE, &TFormMain::bbAppsOptionsMouseLeave},
    {ID_bbaoClose, BN_CLICKED, &TFormMain::bbaoCloseClick},
    {ID_pmUpdates, 0, &TFormMain::pmUpdatesClick},
    {ID_pmAbout, 0, &TFormMain::pmAboutClick},
    {ID_pmOpenRB, 0, &TFormMain::pmOpenRBClick},
    {ID_pmUpdateRB, 0, &TFormMain::pmUpdateRBClick},
    {ID_pmEmptyRB, 0, &TFormMain::pmEmptyRBClick},
    {ID_pmExit, 0, &TFormMain::pmExitClick},
    {ID_pmOpenFolder, 0, &TFormMain::pmOpenFolderClick},
    {ID_pmSaveList, 0, &TFormMain::pmSaveListClick},
};

// The scroll areas in the order in which they are offered the wheel.
constexpr const char* kWheelAreas[] = {"sbMainOptions", "sbScanOptions", "sbAppsOptions"};
}  // namespace

void TFormMain::Command(int id, WORD code) {
  // A check box's change of mark, by the user or by the program, runs the
  // enabling rules of the scan options.
  if (code == CBXN_CHANGE) {
    ScanOptionChange(id);
    return;
  }
  const std::span<const TCommandRoute> tables[] = {kRoutes, OptionsRoutes()};
  for (std::span<const TCommandRoute> routes : tables) {
    for (const TCommandRoute& route : routes) {
      if (route.Id == id && route.Code == code) {
        (this->*route.Handler)();
        return;
      }
    }
  }
}

void TFormMain::BringToFront(std::string_view page) {
  HWND front = nullptr;
  for (const TPageSpec& spec : MainPages()) {
    if (page == spec.Name) front = ::GetDlgItem(fHandle, spec.Id);
  }
  if (front == nullptr) return;
  HWND focus = ::GetFocus();
  const bool focusOnOldPage = focus != nullptr && ::IsChild(fHandle, focus) &&
                              !::IsChild(front, focus) && ::GetParent(focus) != fHandle;
  // The new page covers the old one before that is hidden: nothing of the
  // window's grey shows in between.
  ::SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  for (const TPageSpec& spec : MainPages()) {
    HWND panel = ::GetDlgItem(fHandle, spec.Id);
    if (panel != front) ::ShowWindow(panel, SW_HIDE);
  }
  if (focusOnOldPage) {
    HWND first = ::GetNextDlgTabItem(front, nullptr, FALSE);
    ::SetFocus(first != nullptr && ::IsChild(front, first) ? first : front);
  }
}

void TFormMain::ReloadRule() {
  if (FMainOptsVisited) {
    SetMainOptions();
  } else if (FScanOptsLast) {
    SetCoreOptions();
  }
}

void TFormMain::ScrollToTop(std::string_view area) {
  if (TPanel* panel = TPanel::From(Control(area))) panel->ScrollTo(0);
}

void TFormMain::bbHomeClick() {
  if (!ConfirmLeavingOptions()) return;
  BringToFront("pDefault");
  ReloadRule();
}

void TFormMain::bbNextClick() { bbHomeClick(); }

void TFormMain::bbSettingsClick() {
  if (!ConfirmLeavingOptions()) return;
  BringToFront("pSettings");
  ReloadRule();
}

void TFormMain::bbScanOptionsClick() {
  FScanOptsLast = true;
  BringToFront("pScanOptions");
  ScrollToTop("sbScanOptions");
  ::SendMessageA(Control("cbxConfigSelect"), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void TFormMain::bbMainOptionsClick() {
  FMainOptsVisited = true;
  BringToFront("pMainOptions");
  ScrollToTop("sbMainOptions");
}

void TFormMain::bbAppsOptionsClick() {
  FScanOptsLast = false;
  BringToFront("pAppsOptions");
  ScrollToTop("sbAppsOptions");
}

void TFormMain::bbaoCloseClick() { BringToFront("pSettings"); }

void TFormMain::bbHelpClick() {
  RECT button{};
  ::GetWindowRect(Control("bbHelp"), &button);
  ::TrackPopupMenu(HelpMenu(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.left,
                   button.bottom, 0, fHandle, nullptr);
}

void TFormMain::pmAboutClick() { FAboutBox->ShowModal(fHandle); }

void TFormMain::pmExitClick() { ::PostMessageA(fHandle, WM_CLOSE, 0, 0); }

void TFormMain::cbxLanguageSelect() {
  const auto index = static_cast<int>(::SendMessageA(Control("cbxLanguage"), CB_GETCURSEL, 0, 0));
  if (index >= 0 && index != FLangIndex) {
    FLangIndex = index;
    UpdateLabels();
    RetextStatusPanels();
  }
  SetSaveEnabled("bbmoSave", true);
}

void TFormMain::SetBarPicture(std::string_view button, int index) {
  if (auto* bar = TBarButton::From(Control(button))) bar->SetPictureIndex(index);
}

void TFormMain::SetLinkHover(std::string_view link, bool over) {
  SetLinkFont(Control(link), fFontSet.Fonts(), over);
}

void TFormMain::bbHomeMouseEnter() { SetBarPicture("bbHome", 1); }
void TFormMain::bbHomeMouseLeave() { SetBarPicture("bbHome", 0); }
void TFormMain::bbScanMouseEnter() { SetBarPicture("bbScan", 1); }
void TFormMain::bbScanMouseLeave() { SetBarPicture("bbScan", 0); }
void TFormMain::bbSettingsMouseEnter() { SetBarPicture("bbSettings", 1); }
void TFormMain::bbSettingsMouseLeave() { SetBarPicture("bbSettings", 0); }
void TFormMain::bbHelpMouseEnter() { SetBarPicture("bbHelp", 1); }
void TFormMain::bbHelpMouseLeave() { SetBarPicture("bbHelp", 0); }
void TFormMain::bbScanOptionsMouseEnter() { SetLinkHover("bbScanOptions", true); }
void TFormMain::bbScanOptionsMouseLeave() { SetLinkHover("bbScanOptions", false); }
void TFormMain::bbMainOptionsMouseEnter() { SetLinkHover("bbMainOptions", true); }
void TFormMain::bbMainOptionsMouseLeave() { SetLinkHover("bbMainOptions", false); }
void TFormMain::bbAppsOptionsMouseEnter() { SetLinkHover("bbAppsOptions", true); }
void TFormMain::bbAppsOptionsMouseLeave() { SetLinkHover("bbAppsOptions", false); }

// The window's own control that a window under the mouse belongs to: the
// window itself, or the control whose part it is (the edit of a combo box,
// the header of a list); nullptr for a window that is not the form's.
HWND TFormMain::OwnerControl(HWND window) const {
  for (HWND control = window; control != nullptr && control != fHandle;
       control = ::GetParent(control)) {
    if (fControls.SpecOf(::GetDlgCtrlID(control)) != nullptr &&
        (::GetWindowLongA(control, GWL_STYLE) & WS_CHILD) != 0) {
      return control;
    }
  }
  return nullptr;
}

bool TFormMain::FormMouseWheel(bool shift, int wheelDelta, POINT mouse) {
  HWND control = OwnerControl(::WindowFromPoint(mouse));
  if (control == nullptr) return false;
  // The report scrolls under the mouse whether or not it has the focus.
  if (control == Control("vtReport")) {
    ::SendMessageA(control, WM_MOUSEWHEEL, MAKEWPARAM(shift ? MK_SHIFT : 0, wheelDelta),
                   MAKELPARAM(mouse.x, mouse.y));
    return true;
  }
  UINT lines = 3;
  if (!::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
  const UINT message = shift ? WM_HSCROLL : WM_VSCROLL;
  const WPARAM request = wheelDelta < 0 ? SB_LINEDOWN : SB_LINEUP;
  for (const char* name : kWheelAreas) {
    HWND area = Control(name);
    const bool takes = control == area ||
                       (::GetParent(control) == area && control != ::GetFocus());
    if (!takes || !::IsWindowVisible(area)) continue;
    for (UINT repeat = 0; repeat < lines; ++repeat) ::SendMessageA(area, message, request, 0);
    ::SendMessageA(area, message, SB_ENDSCROLL, 0);
    ::SetFocus(area);
    return true;
  }
  return false;
}

bool TFormMain::PreTranslateMessage(MSG& message) {
  if (fHandle == nullptr) return false;
  if (message.message == WM_MOUSEWHEEL && ::IsChild(fHandle, message.hwnd)) {
    const POINT mouse{static_cast<short>(LOWORD(message.lParam)),
                      static_cast<short>(HIWORD(message.lParam))};
    const bool shift = (GET_KEYSTATE_WPARAM(message.wParam) & MK_SHIFT) != 0;
    if (FormMouseWheel(shift, GET_WHEEL_DELTA_WPARAM(message.wParam), mouse)) return true;
  }
  HWND before = ::GetFocus();
  if (!::IsDialogMessageA(fHandle, &message)) return false;
  // A control that the keyboard reached inside a scroll area comes into view;
  // only a move of the focus counts, so a timer or a mouse move never undoes
  // the user's own scrolling.
  HWND focus = ::GetFocus();
  if (focus == before) return true;
  for (HWND parent = focus != nullptr ? ::GetParent(focus) : nullptr;
       parent != nullptr && parent != fHandle; parent = ::GetParent(parent)) {
    if (TPanel* area = TPanel::From(parent); area != nullptr && parent != ActivePage()) {
      area->ScrollIntoView(focus);
      break;
    }
  }
  return true;
}

}  // namespace qlm
