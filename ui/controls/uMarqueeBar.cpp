#include "ui/controls/uMarqueeBar.h"

#include <cstdlib>

#include "base/uHandles.h"
#include "ui/controls/uPainting.h"

namespace qlm {

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr int kCornerWidth = 6;
constexpr int kCornerHeight = 4;
constexpr int kDefaultStyledBorder = -160;
constexpr int kParentedBorder = -64;
// The three bands of a styled block: a light top, the colour, a dark foot.
constexpr int kBlockTopLightness = 48;
constexpr int kBlockFootLightness = -32;

}  // namespace

TMarqueeBar::TMarqueeBar(HWND window)
    : TControlWindow(window), fBarColour(::GetSysColor(COLOR_HIGHLIGHT)) {}

TMarqueeBar* TMarqueeBar::From(HWND window) {
  return FromWindow<TMarqueeBar>(window, MARQUEE_BAR_CLASS);
}

void TMarqueeBar::SetActive(bool value) {
  fActive = value;
  if (value) {
    StartTimer();
  } else {
    ::KillTimer(fHandle, kTimerId);
    fPosition = 0;
  }
  Repaint();
}

void TMarqueeBar::SetAnimationSpeed(int milliseconds) {
  fSpeed = std::abs(milliseconds);
  if (fActive) StartTimer();
  Repaint();
}

void TMarqueeBar::SetBackColor(COLORREF colour) {
  fBackColour = colour;
  Repaint();
}

void TMarqueeBar::SetBarColor(COLORREF colour) {
  fBarColour = colour;
  Repaint();
}

void TMarqueeBar::SetBorderColor(COLORREF colour) {
  fBorderColour = colour;
  Repaint();
}

void TMarqueeBar::SetBorderStyle(TMarqueeBorderStyle style) {
  fBorderStyle = style;
  Repaint();
}

void TMarqueeBar::SetDefaultStyled(bool value) {
  fDefaultStyled = value;
  ApplyGeometry();
  Repaint();
}

void TMarqueeBar::SetGradientStyle(TGradientStyle style) {
  fGradientStyle = style;
  Repaint();
}

void TMarqueeBar::SetParented(bool value) {
  fParented = value;
  Repaint();
}

bool TMarqueeBar::Styled() const { return fDefaultStyled || VisualStylesActive(); }

TMarqueeGeometry TMarqueeBar::Geometry() const {
  RECT client{};
  ::GetClientRect(fHandle, &client);
  return MarqueeGeometry(client.right, client.bottom, Styled());
}

LRESULT TMarqueeBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      fRequestedWidth = reinterpret_cast<const CREATESTRUCTA*>(lParam)->cx;
      ApplyGeometry();
      return 0;
    case WM_WINDOWPOSCHANGING:
      KeepWholeSlots(*reinterpret_cast<WINDOWPOS*>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam != kTimerId) break;
      Step();
      return 0;
    case WM_DESTROY:
      ::KillTimer(fHandle, kTimerId);
      return 0;
    default:
      break;
  }
  return TControlWindow::HandleMessage(message, wParam, lParam);
}

void TMarqueeBar::Step() {
  fPosition = NextMarqueePosition(fPosition, Geometry().Slots);
  Repaint();
}

void TMarqueeBar::StartTimer() {
  // A zero elapse would be raised to the system's minimum anyway.
  ::SetTimer(fHandle, kTimerId, static_cast<UINT>(fSpeed > 0 ? fSpeed : USER_TIMER_MINIMUM),
             nullptr);
}

void TMarqueeBar::KeepWholeSlots(WINDOWPOS& position) {
  if ((position.flags & SWP_NOSIZE) != 0) return;
  fRequestedWidth = position.cx;
  position.cx = MarqueeGeometry(position.cx, position.cy, Styled()).Width;
}

// The width is cut from the width the creator asked for, so that changing
// the look back and forth does not shrink the bar step by step.
void TMarqueeBar::ApplyGeometry() {
  RECT window{};
  if (!::GetWindowRect(fHandle, &window)) return;
  ::SetWindowPos(fHandle, nullptr, 0, 0, fRequestedWidth, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMarqueeBar::Paint(HDC dc, const RECT& client) {
  const bool styled = Styled();
  FillParentBackground(dc, client);
  if (styled) {
    PaintStyledBack(dc, client);
  } else {
    PaintPlainBack(dc, client);
  }
  const TMarqueeGeometry geometry = MarqueeGeometry(client.right, client.bottom, styled);
  for (int block = 1; block <= MARQUEE_BLOCKS; ++block) {
    const int slot = MarqueeBlockSlot(fPosition, block, geometry.Slots);
    if (slot < 0) continue;
    const int left = geometry.Inset + slot * (geometry.BlockWidth + 2);
    const RECT area{left, geometry.Inset, left + geometry.BlockWidth,
                    geometry.Inset + geometry.BlockHeight};
    PaintBlock(dc, area, LightenColour(fBarColour, MarqueeBlockLightness(fGradientStyle, block)),
               styled);
  }
}

// The rounded corners leave the parent's background showing.
void TMarqueeBar::PaintStyledBack(HDC dc, const RECT& client) const {
  COLORREF back = fBackColour;
  COLORREF border = fBorderColour;
  if (fDefaultStyled) {
    back = RGB(255, 255, 255);
    border = LightenColour(back, kDefaultStyledBorder);
  } else if (fParented) {
    back = ParentColour();
    border = LightenColour(back, kParentedBorder);
  }
  TGdiObject pen(::CreatePen(PS_SOLID, 1, border));
  if (!pen) return;
  TSelectedObject selectedPen(dc, pen.Get());
  TSelectedObject selectedBrush(dc, ::GetStockObject(DC_BRUSH));
  ::SetDCBrushColor(dc, back);
  ::RoundRect(dc, 0, 0, client.right, client.bottom, kCornerWidth, kCornerHeight);
}

void TMarqueeBar::PaintPlainBack(HDC dc, const RECT& client) const {
  FillSolid(dc, client, fBackColour);
  if (fBorderStyle == bsNone) return;
  FillSolid(dc, {0, 0, client.right, 1}, fBorderColour);
  FillSolid(dc, {0, 0, 1, client.bottom}, fBorderColour);
  FillSolid(dc, {0, client.bottom - 1, client.right, client.bottom}, fBorderColour);
  FillSolid(dc, {client.right - 1, 0, client.right, client.bottom}, fBorderColour);
  if (fBorderStyle != bs3D) return;
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  FillSolid(dc, {1, 1, client.right - 1, 2}, light);
  FillSolid(dc, {1, 1, 2, client.bottom - 1}, light);
}

void TMarqueeBar::PaintBlock(HDC dc, const RECT& block, COLORREF colour, bool styled) const {
  if (!styled) {
    FillSolid(dc, block, colour);
    return;
  }
  const int third = (block.bottom - block.top) / 3;
  const int middle = block.top + third;
  const int foot = block.bottom - third;
  GradientRect(dc, {block.left, block.top, block.right, middle},
               LightenColour(colour, kBlockTopLightness), colour, true);
  FillSolid(dc, {block.left, middle, block.right, foot}, colour);
  GradientRect(dc, {block.left, foot, block.right, block.bottom}, colour,
               LightenColour(colour, kBlockFootLightness), true);
}

}  // namespace qlm
