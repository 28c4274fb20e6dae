// TMarqueeBar: an activity bar whose seven blocks run from left to right on
// the bar's own timer while it is active. The bar keeps a width that holds
// a whole number of block slots.
#pragma once

#include <windows.h>

#include "ui/controls/uControlGeometry.h"
#include "ui/controls/uControlWindow.h"

namespace qlm {

inline constexpr char MARQUEE_BAR_CLASS[] = "TMarqueeBar";

enum TMarqueeBorderStyle { bsNone, bsFlat, bs3D };

class TMarqueeBar final : public TControlWindow {
 public:
  explicit TMarqueeBar(HWND window);
  static TMarqueeBar* From(HWND window);

  // Stopping also returns the blocks to the start: the bar is empty.
  void SetActive(bool value);
  bool Active() const { return fActive; }
  // Milliseconds per step; a negative value counts as its absolute value.
  void SetAnimationSpeed(int milliseconds);
  int AnimationSpeed() const { return fSpeed; }
  void SetBackColor(COLORREF colour);
  void SetBarColor(COLORREF colour);
  void SetBorderColor(COLORREF colour);
  void SetBorderStyle(TMarqueeBorderStyle style);
  // The styled look in white whether or not the system's styles are on.
  void SetDefaultStyled(bool value);
  void SetGradientStyle(TGradientStyle style);
  // The styled look in the parent's colour.
  void SetParented(bool value);

  bool Styled() const;
  TMarqueeGeometry Geometry() const;
  int Position() const { return fPosition; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client) override;

  void Step();
  void StartTimer();
  void KeepWholeSlots(WINDOWPOS& position);
  void ApplyGeometry();
  void PaintStyledBack(HDC dc, const RECT& client) const;
  void PaintPlainBack(HDC dc, const RECT& client) const;
  void PaintBlock(HDC dc, const RECT& block, COLORREF colour, bool styled) const;

  bool fActive = false;
  int fSpeed = 60;
  int fPosition = 0;
  COLORREF fBackColour = RGB(255, 255, 255);
  COLORREF fBarColour;
  COLORREF fBorderColour = RGB(128, 128, 128);
  TMarqueeBorderStyle fBorderStyle = bsFlat;
  bool fDefaultStyled = true;
  TGradientStyle fGradientStyle = gsNone;
  bool fParented = false;
  // The width the bar was given, from which its width in whole slots is cut.
  int fRequestedWidth = 0;
};

}  // namespace qlm
