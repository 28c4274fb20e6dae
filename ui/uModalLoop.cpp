#include "ui/uModalLoop.h"

namespace qlm {

namespace {

void CentreOver(HWND window, HWND owner) {
  RECT ownerRect{};
  RECT own{};
  if (owner == nullptr || !::GetWindowRect(owner, &ownerRect) || !::GetWindowRect(window, &own)) {
    return;
  }
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  ::SetWindowPos(window, nullptr, (ownerRect.left + ownerRect.right - width) / 2,
                 (ownerRect.top + ownerRect.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void RunModal(HWND window, HWND owner, HWND focus, const std::function<bool()>& running) {
  CentreOver(window, owner);
  if (owner != nullptr) ::EnableWindow(owner, FALSE);
  ::ShowWindow(window, SW_SHOW);
  if (focus != nullptr) ::SetFocus(focus);
  MSG message;
  while (running()) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      // A WM_QUIT ends the program's loop as well: hand it on.
      if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (::IsDialogMessageA(window, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  if (owner != nullptr) {
    ::EnableWindow(owner, TRUE);
    ::SetActiveWindow(owner);
  }
  ::ShowWindow(window, SW_HIDE);
}

}  // namespace qlm
