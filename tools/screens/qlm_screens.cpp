// Moves a running Quillmere Pro to one of its pages, as a user would, so
// that scripts/screens.sh can photograph it. One step per call:
//
//   qlm_screens language N    choose the N-th language of the main options
//   qlm_screens page NAME     bring the page NAME to the front
//   qlm_screens scroll NAME   scroll the area NAME down by one screen
//   qlm_screens about         open the About window
//   qlm_screens close         close the About window, then the program
//
// It prints the name of the chosen language; the exit code is 0 when the
// step was taken.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/uWindowDriver.h"
#include "ui/uAboutBox.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"

using namespace qlm;

namespace {

struct TPageLink {
  const char* Page;
  int PageId;
  int LinkId;
};
// Each page with the control that leads there; the running page has none
// outside an operation and is shown directly.
constexpr TPageLink kPageLinks[] = {{"pDefault", ID_pDefault, ID_bbHome},
                                    {"pSettings", ID_pSettings, ID_bbSettings},
                                    {"pScanOptions", ID_pScanOptions, ID_bbScanOptions},
                                    {"pMainOptions", ID_pMainOptions, ID_bbMainOptions},
                                    {"pAppsOptions", ID_pAppsOptions, ID_bbAppsOptions},
                                    {"pRunning", ID_pRunning, 0}};

// A link label answers the mouse; the other controls a button click.
void Click(HWND control) {
  char className[32] = {};
  ::GetClassNameA(control, className, sizeof className);
  if (std::strcmp(className, "TLabelEx") == 0) {
    ClickAt(control);
    ::SendMessageA(control, WM_MOUSELEAVE, 0, 0);
  } else {
    ::SendMessageA(control, BM_CLICK, 0, 0);
  }
}

bool ShowPage(HWND window, const char* page) {
  for (const TPageLink& link : kPageLinks) {
    if (std::strcmp(link.Page, page) != 0) continue;
    if (link.LinkId != 0) {
      Click(ControlOf(window, link.LinkId));
      return true;
    }
    // As the window itself does: this page on top, the others hidden.
    ::SetWindowPos(ControlOf(window, link.PageId), HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    for (const TPageLink& other : kPageLinks) {
      if (other.PageId != link.PageId) ::ShowWindow(ControlOf(window, other.PageId), SW_HIDE);
    }
    return true;
  }
  return false;
}

bool ChooseLanguage(HWND window, int index) {
  HWND list = ControlOf(window, ID_cbxLanguage);
  if (::SendMessageA(list, CB_SETCURSEL, index, 0) == CB_ERR) return false;
  ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_cbxLanguage, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  std::printf("%s\n", TextOf(list).c_str());
  return true;
}

int Step(HWND window, const std::string& step, const char* argument) {
  if (step == "language" && argument != nullptr) {
    return ChooseLanguage(window, std::atoi(argument)) ? 0 : 1;
  }
  if (step == "page" && argument != nullptr) return ShowPage(window, argument) ? 0 : 1;
  if (step == "scroll") {
    const int id = argument != nullptr && std::strcmp(argument, "sbMainOptions") == 0
                       ? ID_sbMainOptions
                       : ID_sbScanOptions;
    ::SendMessageA(ControlOf(window, id), WM_VSCROLL, SB_PAGEDOWN, 0);
    return 0;
  }
  if (step == "about") {
    ::PostMessageA(window, WM_COMMAND, ID_pmAbout, 0);
    return WaitForVisibleClass(ABOUT_BOX_CLASS, 5000) != nullptr ? 0 : 1;
  }
  if (step == "close") {
    if (HWND about = ::FindWindowA(ABOUT_BOX_CLASS, nullptr); about != nullptr) {
      ::SendMessageA(about, WM_CLOSE, 0, 0);
    }
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  HWND window = WaitForVisibleClass(MAIN_WINDOW_CLASS, 10000);
  if (window == nullptr) {
    std::fprintf(stderr, "qlm_screens: the main window is not there\n");
    return 1;
  }
  const int result = Step(window, argv[1], argc > 2 ? argv[2] : nullptr);
  // The window has painted what the step changed before the photograph.
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  return result;
}
