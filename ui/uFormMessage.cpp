#include "ui/uFormMessage.h"

#include "ui/pages/uPageLayouts.h"

namespace qlm {

namespace {
constexpr DWORD kMessageStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr DWORD kMessageExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}  // namespace

TFormMessage::TFormMessage(HINSTANCE instance, const TDpiScale& scale, const TUiFonts& fonts)
    : TWindow(instance), fScale(scale), fFonts(fonts) {}

bool TFormMessage::Create(HWND owner) {
  if (!RegisterWindowClass(FORM_MESSAGE_CLASS, ::GetSysColorBrush(COLOR_BTNFACE), nullptr) ||
      !CreateCentred(FORM_MESSAGE_CLASS, "", kMessageStyle, fScale.Px(MESSAGE_CLIENT_WIDTH),
                     fScale.Px(MESSAGE_CLIENT_HEIGHT), kMessageExStyle, owner) ||
      !fControls.Build(fInstance, fHandle, MessageFormLayout(), fScale, fFonts)) {
    return false;
  }
  return true;
}

void TFormMessage::UpdateLabels(const std::function<std::string(const std::string&)>& textOf) {
  fControls.ApplyCaptions(textOf);
}

void TFormMessage::ShowOver(HWND owner, const std::string& text) {
  ::SetWindowTextA(Control("lbMessage"), text.c_str());
  RECT over{};
  RECT own{};
  if (::GetWindowRect(owner, &over) && ::GetWindowRect(fHandle, &own)) {
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    ::SetWindowPos(fHandle, HWND_TOPMOST, over.left + (over.right - over.left - width) / 2,
                   over.top + (over.bottom - over.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  } else {
    ::ShowWindow(fHandle, SW_SHOWNOACTIVATE);
  }
  ::RedrawWindow(fHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TFormMessage::Hide() { ::ShowWindow(fHandle, SW_HIDE); }

}  // namespace qlm
