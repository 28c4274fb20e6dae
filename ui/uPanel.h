// A plain container window of one colour: the pages of the main window and
// the scrolling areas of the options pages. It hands its children's commands
// and notifications up to its parent, gives static children its own
// background, and scrolls its children vertically when it has a range.
#pragma once

#include <windows.h>

#include "base/uHandles.h"
#include "ui/controls/uControlWindow.h"

namespace qlm {

inline constexpr char PANEL_CLASS[] = "TQlmPanel";

class TPanel final : public TControlWindow {
 public:
  explicit TPanel(HWND window);
  static bool Register(HINSTANCE instance);
  // The panel of that window, or nullptr for another window.
  static TPanel* From(HWND window);

  // The panel's colour; the panel keeps its own brush.
  void SetColor(COLORREF color);
  COLORREF Color() const { return fColor; }
  HBRUSH Brush() const { return static_cast<HBRUSH>(fBrush.Get()); }

  // A vertical scroll range in display pixels (the height of the content);
  // 0 or a range that the panel's height covers hides the scroll bar.
  void SetScrollRange(int contentHeight, int lineHeight);
  int ScrollPos() const { return fScrollPos; }
  void ScrollTo(int position);
  // Scrolls so that the descendant's rectangle is inside the panel.
  void ScrollIntoView(HWND descendant);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client) override;
  void Scroll(WPARAM request);
  void UpdateScrollBar();

  COLORREF fColor = RGB(0xFF, 0xFF, 0xFF);
  TGdiObject fBrush;
  int fContentHeight = 0;
  int fLineHeight = 1;
  int fScrollPos = 0;
};

}  // namespace qlm
