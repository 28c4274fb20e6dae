// The wait message window: a borderless window that stays on top of the
// main window while a long action runs, a captioned panel with a picture and
// a text.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/uControlSet.h"
#include "ui/uWindow.h"

namespace qlm {

inline constexpr char FORM_MESSAGE_CLASS[] = "TFormMessage";
inline constexpr int MESSAGE_CLIENT_WIDTH = 228;
inline constexpr int MESSAGE_CLIENT_HEIGHT = 88;

class TFormMessage final : public TWindow {
 public:
  TFormMessage(HINSTANCE instance, const TDpiScale& scale, const TUiFonts& fonts);

  // Makes the hidden window owned by the main window; false when Windows
  // refuses.
  bool Create(HWND owner);
  void UpdateLabels(const std::function<std::string(const std::string&)>& textOf);
  // Shows the text centred over the owner without taking the input, and
  // paints at once: the work that follows keeps the message loop waiting.
  void ShowOver(HWND owner, const std::string& text);
  void Hide();
  HWND Control(std::string_view name) const { return fControls.Get(name); }

 private:
  TDpiScale fScale;
  const TUiFonts& fFonts;
  TControlSet fControls;
};

}  // namespace qlm
