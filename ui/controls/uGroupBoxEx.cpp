#include "ui/controls/uGroupBoxEx.h"

#include <algorithm>
#include <string>
#include <utility>

#include "ui/controls/uControlGeometry.h"
#include "ui/controls/uPainting.h"

namespace qlm {

namespace {

constexpr int kCornerSize = 6;
constexpr int kCaptionIndent = 8;
// How much lighter the plain caption band is than the caption colour.
constexpr int kVistaBandLightness = 40;

// The colour of the class brush of a window; the button face colour when
// the class has none or it is no solid one.
COLORREF ClassBackgroundColour(HWND window) {
  const auto value = static_cast<ULONG_PTR>(::GetClassLongPtrA(window, GCLP_HBRBACKGROUND));
  // A class may name a system colour by its index plus one.
  if (value != 0 && value <= COLOR_MENUBAR + 1) return ::GetSysColor(static_cast<int>(value - 1));
  COLORREF colour = ::GetSysColor(COLOR_BTNFACE);
  SolidBrushColour(reinterpret_cast<HBRUSH>(value), colour);
  return colour;
}

}  // namespace

TGroupBoxEx::TGroupBoxEx(HWND window)
    : TControlWindow(window),
      fBorderColour(::GetSysColor(COLOR_BTNSHADOW)),
      fCaptionColour(::GetSysColor(COLOR_HIGHLIGHT)),
      fCaptionFade(::GetSysColor(COLOR_BTNFACE)) {}

TGroupBoxEx* TGroupBoxEx::From(HWND window) {
  return FromWindow<TGroupBoxEx>(window, GROUP_BOX_EX_CLASS);
}

void TGroupBoxEx::SetBorderColor(COLORREF colour) {
  fBorderColour = colour;
  Repaint();
}

void TGroupBoxEx::SetCaptionColor(COLORREF colour) {
  fCaptionColour = colour;
  Repaint();
}

void TGroupBoxEx::SetCaptionFade(COLORREF colour) {
  fCaptionFade = colour;
  Repaint();
}

void TGroupBoxEx::SetCaptionHeight(int height) {
  fCaptionHeight = height;
  Repaint();
}

int TGroupBoxEx::CaptionHeight() const {
  RECT client{};
  ::GetClientRect(fHandle, &client);
  return CutCaptionHeight(fCaptionHeight, client.bottom);
}

void TGroupBoxEx::SetCaptionGradient(TGradientDirection direction) {
  fGradient = direction;
  Repaint();
}

void TGroupBoxEx::SetStyle(TGroupBoxStyle style) {
  fStyle = style;
  Repaint();
}

void TGroupBoxEx::SetColor(COLORREF colour) {
  fColour = colour;
  fParentColour = false;
  ::RedrawWindow(fHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TGroupBoxEx::SetParentColor(bool value) {
  fParentColour = value;
  ::RedrawWindow(fHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

COLORREF TGroupBoxEx::Color() const {
  HWND parent = ::GetParent(fHandle);
  if (!fParentColour) return fColour;
  return parent != nullptr ? ClassBackgroundColour(parent) : ::GetSysColor(COLOR_BTNFACE);
}

LRESULT TGroupBoxEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    // The box paints over its whole client area, never over its children.
    case WM_CREATE:
      ::SetWindowLongPtrA(fHandle, GWL_STYLE,
                          ::GetWindowLongPtrA(fHandle, GWL_STYLE) | WS_CLIPCHILDREN);
      return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CONTEXTMENU:
    case WM_DRAWITEM:
      return ::SendMessageA(::GetParent(fHandle), message, wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ChildColour(reinterpret_cast<HDC>(wParam));
    case WM_SIZE:
      Repaint();
      return 0;
    default:
      return TControlWindow::HandleMessage(message, wParam, lParam);
  }
}

LRESULT TGroupBoxEx::ChildColour(HDC dc) {
  const COLORREF fill = Color();
  if (!fChildBrush || fChildBrushColour != fill) {
    TGdiObject brush(::CreateSolidBrush(fill));
    if (!brush) return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    fChildBrush = std::move(brush);
    fChildBrushColour = fill;
  }
  ::SetBkMode(dc, TRANSPARENT);
  ::SetBkColor(dc, fill);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  return reinterpret_cast<LRESULT>(fChildBrush.Get());
}

bool TGroupBoxEx::RightToLeft() const {
  return (::GetWindowLongPtrA(fHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
}

void TGroupBoxEx::Paint(HDC dc, const RECT& client) {
  const COLORREF fill = Color();
  TSelectedObject font(dc, Font());
  switch (fStyle) {
    case gbsGradientCustom:
    case gbsGradientVista:
    case gbsVista:
      PaintRounded(dc, client, fill);
      break;
    default:
      PaintEtched(dc, client, fill);
      break;
  }
}

void TGroupBoxEx::PaintRounded(HDC dc, const RECT& client, COLORREF fill) const {
  const COLORREF parent = ::GetParent(fHandle) != nullptr
                              ? ClassBackgroundColour(::GetParent(fHandle))
                              : ::GetSysColor(COLOR_BTNFACE);
  FillSolid(dc, client, fill);
  TGdiObject pen(::CreatePen(PS_SOLID, 1, fBorderColour));
  if (pen) {
    TSelectedObject border(dc, pen.Get());
    TSelectedObject hollow(dc, ::GetStockObject(NULL_BRUSH));
    ::RoundRect(dc, 0, 0, client.right, client.bottom, kCornerSize, kCornerSize);
  }
  const int band = CaptionHeight();
  PaintCaptionBand(dc, client, band);
  TGdiObject line(::CreatePen(PS_SOLID, 1, fCaptionColour));
  if (line) {
    TSelectedObject selected(dc, line.Get());
    ::MoveToEx(dc, 1, band, nullptr);
    ::LineTo(dc, client.right - 1, band);
  }
  for (const POINT corner : {POINT{0, 0}, POINT{client.right - 1, 0},
                             POINT{0, client.bottom - 1}, POINT{client.right - 1, client.bottom - 1}}) {
    ::SetPixelV(dc, corner.x, corner.y, parent);
  }
  DrawRoundedCaption(dc, client, band);
}

void TGroupBoxEx::PaintCaptionBand(HDC dc, const RECT& client, int band) const {
  // The band stays inside the rounded corners; the custom gradient also
  // covers the top row of the border between them.
  const HRGN inside = ::CreateRoundRectRgn(0, 0, client.right + 1, client.bottom + 1, kCornerSize,
                                          kCornerSize);
  TGdiObject region(inside);
  if (region) ::SelectClipRgn(dc, inside);
  const RECT lower{1, band / 2, client.right - 1, band};
  switch (fStyle) {
    case gbsGradientCustom:
      GradientRect(dc, RECT{1, 0, client.right - 1, band}, fCaptionColour, fCaptionFade,
                   fGradient == gdVertical);
      break;
    case gbsGradientVista:
      GradientRect(dc, lower, fCaptionColour, fCaptionFade, true);
      break;
    default:
      FillSolid(dc, lower, LightenColour(fCaptionColour, kVistaBandLightness));
      break;
  }
  ::SelectClipRgn(dc, nullptr);
}

void TGroupBoxEx::DrawRoundedCaption(HDC dc, const RECT& client, int band) const {
  const std::string caption = Caption();
  RECT text{kCaptionIndent, 0, client.right - kCaptionIndent, band};
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  format |= RightToLeft() ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
}

// The system's group box and its classic relative: an etched frame that
// starts at half the caption's height, the caption over it at the left.
void TGroupBoxEx::PaintEtched(HDC dc, const RECT& client, COLORREF fill) const {
  FillSolid(dc, client, fill);
  std::string caption = Caption();
  const SIZE extent = TextExtent(caption, DT_SINGLELINE, 0);
  RECT frame = client;
  frame.top = extent.cy / 2;
  ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  if (fStyle == gbsXP) caption = " " + caption + " ";
  const SIZE padded = TextExtent(caption, DT_SINGLELINE, 0);
  RECT text{kCaptionIndent, 0, std::min<LONG>(kCaptionIndent + padded.cx, client.right - 2),
            extent.cy};
  UINT format = DT_SINGLELINE | DT_END_ELLIPSIS;
  if (RightToLeft()) {
    const LONG width = text.right - text.left;
    text.right = client.right - kCaptionIndent;
    text.left = std::max<LONG>(text.right - width, 2);
    format |= DT_RIGHT | DT_RTLREADING;
  }
  ::SetBkMode(dc, OPAQUE);
  ::SetBkColor(dc, fill);
  ::SetTextColor(dc, ::GetSysColor(::IsWindowEnabled(fHandle) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
}

}  // namespace qlm
