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

}  // namespace qlm
