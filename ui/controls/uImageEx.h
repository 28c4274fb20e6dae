// TImageEx: a picture over its parent's background, either one image of an
// image list or a single 32-bit bitmap with premultiplied alpha at its own
// size. Neither the list nor the bitmap belongs to the control: both must
// outlive it or be replaced first.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ui/controls/uControlWindow.h"

namespace qlm {

inline constexpr char IMAGE_EX_CLASS[] = "TImageEx";

// A picture; with the WS_TABSTOP style it takes the keyboard's focus, shows
// it, and asks its parent for its context menu on Enter or Space.
class TImageEx final : public TControlWindow {
 public:
  explicit TImageEx(HWND window) : TControlWindow(window) {}
  static TImageEx* From(HWND window);

  void SetImages(HIMAGELIST images);
  // -1 shows no image of the list; other indexes are kept within the list,
  // and without a list there is no image to show.
  void SetImageIndex(int index);
  int ImageIndex() const { return fImageIndex; }
  // Shown while no image of the list is.
  void SetPicture(HBITMAP picture);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client) override;
  void DrawPicture(HDC dc) const;

  HIMAGELIST fImages = nullptr;
  int fImageIndex = -1;
  HBITMAP fPicture = nullptr;
};

}  // namespace qlm
