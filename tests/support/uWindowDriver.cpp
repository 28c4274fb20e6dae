#include "tests/support/uWindowDriver.h"

namespace qlm {

namespace {

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

}  // namespace

HWND ControlOf(HWND window, int id) {
  TFound found{id, nullptr};
  ::EnumChildWindows(window, &FindById, reinterpret_cast<LPARAM>(&found));
  return found.Window;
}

std::string TextOf(HWND control) {
  char text[512] = {};
  const LRESULT length =
      ::SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return std::string(text, static_cast<size_t>(length > 0 ? length : 0));
}

void ClickAt(HWND control) {
  const LPARAM corner = MAKELPARAM(3, 3);
  ::SendMessageA(control, WM_MOUSEMOVE, 0, corner);
  ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, corner);
  ::SendMessageA(control, WM_LBUTTONUP, 0, corner);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::Sleep(20);
  }
  return true;
}

HWND WaitForVisibleClass(const char* className, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
    HWND window = ::FindWindowA(className, nullptr);
    if (window != nullptr && ::IsWindowVisible(window)) return window;
    ::Sleep(20);
  }
  return nullptr;
}

}  // namespace qlm
