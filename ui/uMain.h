// The main window TFormMain: the frame of the program. Closing it ends the
// message loop.
#pragma once

#include <windows.h>

#include "base/uHandles.h"
#include "ui/uWindow.h"

namespace qlm {

inline constexpr int MAIN_CLIENT_WIDTH = 697;
inline constexpr int MAIN_CLIENT_HEIGHT = 514;
inline constexpr COLORREF MAIN_BACKGROUND = RGB(0xD1, 0xD1, 0xD1);
inline constexpr char APPLICATION_TITLE[] = "Quillmere Pro";
inline constexpr char MAIN_WINDOW_CLASS[] = "TFormMain";

class TFormMain final : public TWindow {
 public:
  explicit TFormMain(HINSTANCE instance);

  // Creates and shows the window; false when Windows refuses it.
  bool Create();

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FormCreate();
  void SetDefaultInits();

  TGdiObject fBackground;
};

}  // namespace qlm
