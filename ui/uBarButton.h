// A button of the main window's top bar: a 32 by 32 picture from a strip of
// two (picture 0 normally, picture 1 while its owner says so) and a caption.
// It sends its parent WM_COMMAND with BN_CLICKED on a click, Space, Enter or
// BM_CLICK (which the dialog manager sends for the caption's mnemonic), and
// BBN_MOUSEENTER / BBN_MOUSELEAVE when the mouse comes and goes. A button
// without a strip and with the drop-down style shows an arrow.
#pragma once

#include <windows.h>

#include "ui/controls/uControlWindow.h"

namespace qlm {

inline constexpr char BAR_BUTTON_CLASS[] = "TBarButton";
inline constexpr WORD BBN_MOUSEENTER = 0x0F21;
inline constexpr WORD BBN_MOUSELEAVE = 0x0F22;
// Window style bit: the button is the narrow drop-down arrow beside another.
inline constexpr DWORD BBS_DROPDOWN = 0x0001;

class TBarButton final : public TControlWindow {
 public:
  explicit TBarButton(HWND window) : TControlWindow(window) {}
  static bool Register(HINSTANCE instance);
  static TBarButton* From(HWND window);

  // The strip is not owned: its owner keeps it while the button lives.
  void SetPictures(HBITMAP strip);
  void SetPictureIndex(int index);
  int PictureIndex() const { return fPictureIndex; }
  bool MouseOver() const { return fMouseOver; }
  // A button too narrow for its caption shows the picture alone; the caption
  // still names it for the keyboard and for screen readers.
  bool PictureOnly() const;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client) override;
  void MouseMoved();
  void MouseLeft();
  int PictureSize(const RECT& client) const;
  bool CaptionBesidePicture(const RECT& client, int size) const;
  RECT PictureRect(const RECT& client) const;
  RECT CaptionRoom(const RECT& client) const override;
  UINT CaptionFormat() const override { return DT_SINGLELINE | DT_VCENTER; }
  void DrawPicture(HDC dc, const RECT& picture) const;
  void DrawArrow(HDC dc, const RECT& client) const;

  HBITMAP fStrip = nullptr;
  int fPictureIndex = 0;
  bool fMouseOver = false;
  bool fPressed = false;
};

}  // namespace qlm
