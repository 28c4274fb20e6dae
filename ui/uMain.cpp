#include "ui/uMain.h"

#include "startup/uTrace.h"
#include "ui/uPictureNames.h"

namespace qlm {

namespace {
// Fixed single border with the system menu and the minimise box only.
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}  // namespace

TFormMain::TFormMain(HINSTANCE instance)
    : TWindow(instance), fBackground(::CreateSolidBrush(MAIN_BACKGROUND)) {}

bool TFormMain::Create() {
  if (!fBackground) return false;
  HICON icon = ::LoadIconA(fInstance, PROGRAM_ICON);
  if (icon == nullptr) icon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  if (!RegisterWindowClass(MAIN_WINDOW_CLASS, static_cast<HBRUSH>(fBackground.Get()), icon)) {
    return false;
  }
  if (!CreateCentred(MAIN_WINDOW_CLASS, APPLICATION_TITLE, kMainStyle, MAIN_CLIENT_WIDTH,
                     MAIN_CLIENT_HEIGHT)) {
    return false;
  }
  ::ShowWindow(fHandle, SW_SHOWNORMAL);
  ::UpdateWindow(fHandle);
  return true;
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return DefaultHandler(message, wParam, lParam);
  }
}

void TFormMain::FormCreate() { SetDefaultInits(); }

void TFormMain::SetDefaultInits() { Log(LVL_DEBUG, "Set default inits..."); }

}  // namespace qlm
