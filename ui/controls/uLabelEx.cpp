#include "ui/controls/uLabelEx.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "base/uHandles.h"

namespace qlm {

namespace {

constexpr int kFitMargin = 8;
constexpr int kLineGap = 4;
constexpr LPARAM kKeyWasDown = 0x40000000;

}  // namespace

TLabelEx::TLabelEx(HWND window)
    : TControlWindow(window), fLineColour(::GetSysColor(COLOR_BTNSHADOW)) {}

TLabelEx* TLabelEx::From(HWND window) { return FromWindow<TLabelEx>(window, LABEL_EX_CLASS); }

void TLabelEx::SetAlignment(UINT alignment) {
  fAlignment = alignment & (DT_LEFT | DT_CENTER | DT_RIGHT);
  Repaint();
}

void TLabelEx::SetTextColor(COLORREF colour) {
  fOwnTextColour = true;
  fTextColour = colour;
  Repaint();
}

void TLabelEx::SetWordBreak(bool value) {
  fWordBreak = value;
  Repaint();
}

void TLabelEx::SetShowLine(bool value) {
  fShowLine = value;
  Repaint();
}

void TLabelEx::SetLineColor(COLORREF colour) {
  fLineColour = colour;
  Repaint();
}

void TLabelEx::SetLineWidth(int width) {
  fLineWidth = std::max(width, 0);
  Repaint();
}

void TLabelEx::SetFitToParent(bool value) {
  fFitToParent = value;
  ApplyFit();
  Repaint();
}

void TLabelEx::SetLink(bool value) {
  fLink = value;
  Repaint();
}

LRESULT TLabelEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DialogCode(lParam);
    case WM_SETCURSOR:
      if (!fLink) break;
      ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
      return TRUE;
    case WM_MOUSEMOVE:
      MouseMove();
      return 0;
    case WM_MOUSELEAVE:
      MouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
      if (!fLink) break;
      ::SetFocus(fHandle);
      fPressed = true;
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(lParam);
      return 0;
    case WM_KEYDOWN:
      KeyDown(wParam, lParam);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      fPressed = false;
      Repaint();
      return 0;
    case WM_WINDOWPOSCHANGING:
      FitToParent(*reinterpret_cast<WINDOWPOS*>(lParam));
      return 0;
    default:
      break;
  }
  return TControlWindow::HandleMessage(message, wParam, lParam);
}

// Enter must reach a focused link rather than the dialog manager.
LRESULT TLabelEx::DialogCode(LPARAM message) const {
  const auto* msg = reinterpret_cast<const MSG*>(message);
  if (fLink && msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
    return DLGC_WANTMESSAGE;
  }
  return DLGC_STATIC;
}

void TLabelEx::MouseMove() {
  if (!fLink || fHover || !TrackMouseLeave()) return;
  fHover = true;
  Notify(LXN_MOUSEENTER);
}

void TLabelEx::MouseLeave() {
  fPressed = false;
  if (!fHover) return;
  fHover = false;
  Notify(LXN_MOUSELEAVE);
}

void TLabelEx::ButtonUp(LPARAM point) {
  if (!fPressed) return;
  fPressed = false;
  RECT client{};
  const POINT where{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  if (::GetClientRect(fHandle, &client) && ::PtInRect(&client, where)) Notify(LXN_CLICK);
}

void TLabelEx::KeyDown(WPARAM key, LPARAM flags) {
  if (!fLink || (flags & kKeyWasDown) != 0) return;
  if (key == VK_RETURN || key == VK_SPACE) Notify(LXN_CLICK);
}

void TLabelEx::FitToParent(WINDOWPOS& position) const {
  HWND parent = ::GetParent(fHandle);
  RECT area{};
  if (!fFitToParent || parent == nullptr || !::GetClientRect(parent, &area)) return;
  if ((position.flags & SWP_NOSIZE) != 0) {
    RECT own{};
    ::GetClientRect(fHandle, &own);
    position.cy = own.bottom;
    position.flags &= ~SWP_NOSIZE;
  }
  if ((position.flags & SWP_NOMOVE) != 0) {
    POINT origin{0, 0};
    ::MapWindowPoints(fHandle, parent, &origin, 1);
    position.y = origin.y;
    position.flags &= ~SWP_NOMOVE;
  }
  position.x = kFitMargin;
  position.cx = std::max<int>(area.right - 2 * kFitMargin, 0);
}

void TLabelEx::ApplyFit() {
  if (!fFitToParent) return;
  // The new place is set while the window moves.
  ::SetWindowPos(fHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT TLabelEx::CaptionFormat() const {
  return fAlignment | (fWordBreak ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
}

RECT TLabelEx::CaptionBounds(const RECT& client) const {
  const SIZE text = TextExtent(Caption(), CaptionFormat(), client.right);
  RECT bounds = client;
  const LONG width = std::min<LONG>(text.cx, client.right);
  if (fAlignment & DT_RIGHT) {
    bounds.left = client.right - width;
  } else if (fAlignment & DT_CENTER) {
    bounds.left = (client.right - width) / 2;
  }
  bounds.right = bounds.left + width;
  if (!fWordBreak) bounds.top = std::max<LONG>((client.bottom - text.cy) / 2, 0);
  bounds.bottom = std::min<LONG>(bounds.top + text.cy, client.bottom);
  return bounds;
}

void TLabelEx::Paint(HDC dc, const RECT& client) {
  const COLORREF parentText = FillParentBackground(dc, client);
  const std::string caption = Caption();
  const RECT bounds = CaptionBounds(client);
  if (fShowLine) DrawLine(dc, client, bounds);

  TSelectedObject font(dc, Font());
  ::SetBkMode(dc, TRANSPARENT);
  COLORREF colour = fOwnTextColour ? fTextColour : parentText;
  if (!::IsWindowEnabled(fHandle)) colour = ::GetSysColor(COLOR_GRAYTEXT);
  ::SetTextColor(dc, colour);
  RECT text = client;
  ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, CaptionFormat());
  if (fLink && ::GetFocus() == fHandle && !caption.empty()) ::DrawFocusRect(dc, &bounds);
}

void TLabelEx::DrawLine(HDC dc, const RECT& client, const RECT& caption) const {
  if (fLineWidth <= 0) return;
  TGdiObject pen(::CreatePen(PS_SOLID, fLineWidth, fLineColour));
  if (!pen) return;
  TSelectedObject selected(dc, pen.Get());
  const int y = client.bottom / 2;
  const bool lineLeft = (fAlignment & (DT_RIGHT | DT_CENTER)) != 0;
  const bool lineRight = (fAlignment & DT_RIGHT) == 0;
  if (lineLeft && caption.left - kLineGap > 0) {
    ::MoveToEx(dc, 0, y, nullptr);
    ::LineTo(dc, caption.left - kLineGap, y);
  }
  if (lineRight && caption.right + kLineGap < client.right) {
    ::MoveToEx(dc, caption.right + kLineGap, y, nullptr);
    ::LineTo(dc, client.right, y);
  }
}

}  // namespace qlm
