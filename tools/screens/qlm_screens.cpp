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

#include "ui/uAboutBox.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"

using namespace qlm;

namespace {

struct TPageLink {
  const char* Page;
  int Id;
};
// Each page with the control that leads there; the running page has none
// outside an operation and is shown directly.
constexpr TPageLink kPageLinks[] = {
    {"pDefault", ID_bbHome},           {"pSettings", ID_bbSettings},
    {"pScanOptions", ID_bbScanOptions}, {"pMainOptions", ID_bbMainOptions},
    {"pAppsOptions", ID_bbAppsOptions}, {"pRunning", 0}};

struct TFound {
  int Id;
  HWND Window;
};

BOOL CALLBACK FindById(HWND child, LPARAM data) {
  auto* found = reinterpret_cast<TFound*>(data);
  if (::GetDlgCtrlID(child) != found->Id) return TRUE;
  found->Window = child;
  return FALSE;
}

HWND ControlOf(HWND window, int id) {
  TFound found{id, nullptr};
  ::EnumChildWindows(window, &FindById, reinterpret_cast<LPARAM>(&found));
  return found.Window;
}

void Click(HWND control) {
  char className[32] = {};
  ::GetClassNameA(control, className, sizeof className);
  if (std::strcmp(className, "TLabelEx") != 0) {
    ::SendMessageA(control, BM_CLICK, 0, 0);
    return;
  }
  ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  ::SendMessageA(control, WM_MOUSELEAVE, 0, 0);
}

bool ShowPage(HWND window, const char* page) {
  for (const TPageLink& link : kPageLinks) {
    if (std::strcmp(link.Page, page) != 0) continue;
    if (link.Id != 0) {
      Click(ControlOf(window, link.Id));
      return true;
    }
    ::SetWindowPos(ControlOf(window, ID_pRunning), HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return true;
  }
  return false;
}

bool ChooseLanguage(HWND window, int index) {
  HWND list = ControlOf(window, ID_cbxLanguage);
  if (::SendMessageA(list, CB_SETCURSEL, index, 0) == CB_ERR) return false;
  ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_cbxLanguage, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  char name[128] = {};
  ::SendMessageA(list, WM_GETTEXT, sizeof name, reinterpret_cast<LPARAM>(name));
  std::printf("%s\n", name);
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
    for (int tries = 0; tries < 250; ++tries) {
      HWND about = ::FindWindowA(ABOUT_BOX_CLASS, nullptr);
      if (about != nullptr && ::IsWindowVisible(about)) return 0;
      ::Sleep(20);
    }
    return 1;
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
  HWND window = nullptr;
  for (int tries = 0; tries < 500 && window == nullptr; ++tries) {
    window = ::FindWindowA(MAIN_WINDOW_CLASS, nullptr);
    if (window == nullptr || !::IsWindowVisible(window)) {
      window = nullptr;
      ::Sleep(20);
    }
  }
  if (window == nullptr) {
    std::fprintf(stderr, "qlm_screens: the main window is not there\n");
    return 1;
  }
  const int result = Step(window, argv[1], argc > 2 ? argv[2] : nullptr);
  // The window has painted what the step changed before the photograph.
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  return result;
}
