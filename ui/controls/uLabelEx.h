// TLabelEx: a label over its parent's background, optionally with a line
// beside its caption (the options pages' section headings) and optionally a
// link: hand cursor, focus with Tab, and WM_COMMAND LXN_CLICK on a left click
// or Enter or Space, LXN_MOUSEENTER and LXN_MOUSELEAVE to the parent, which
// decides the link's look (by giving it another font, for instance).
#pragma once

#include <windows.h>

#include "ui/controls/uControlWindow.h"

namespace qlm {

inline constexpr char LABEL_EX_CLASS[] = "TLabelEx";
inline constexpr WORD LXN_CLICK = 0x0F11;
inline constexpr WORD LXN_MOUSEENTER = 0x0F12;
inline constexpr WORD LXN_MOUSELEAVE = 0x0F13;

class TLabelEx final : public TControlWindow {
 public:
  explicit TLabelEx(HWND window);
  static TLabelEx* From(HWND window);

  // DT_LEFT, DT_CENTER or DT_RIGHT.
  void SetAlignment(UINT alignment);
  // The caption's colour; the one the parent chooses for static controls
  // until set.
  void SetTextColor(COLORREF colour);
  void SetWordBreak(bool value);
  void SetShowLine(bool value);
  void SetLineColor(COLORREF colour);
  void SetLineWidth(int width);
  // Keeps the label 8 pixels inside the parent's left and right edges.
  void SetFitToParent(bool value);
  void SetLink(bool value);
  bool Link() const { return fLink; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client) override;

  LRESULT DialogCode(LPARAM message) const;
  void MouseMove();
  void MouseLeave();
  void ButtonUp(LPARAM point);
  void KeyDown(WPARAM key, LPARAM flags);
  void FitToParent(WINDOWPOS& position) const;
  void ApplyFit();
  UINT CaptionFormat() const override;
  RECT CaptionBounds(const RECT& client) const;
  void DrawLine(HDC dc, const RECT& client, const RECT& caption) const;

  UINT fAlignment = DT_LEFT;
  bool fOwnTextColour = false;
  COLORREF fTextColour = 0;
  bool fWordBreak = false;
  bool fShowLine = false;
  COLORREF fLineColour;
  int fLineWidth = 1;
  bool fFitToParent = false;
  bool fLink = false;
  bool fHover = false;
  bool fPressed = false;
};

}  // namespace qlm
