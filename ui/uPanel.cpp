#include "ui/uPanel.h"

#include <algorithm>

#include "ui/controls/uScrollRequest.h"

namespace qlm {

bool TPanel::Register(HINSTANCE instance) {
  return RegisterControlClass(instance, PANEL_CLASS, &Procedure<TPanel>);
}

TPanel* TPanel::From(HWND window) { return FromWindow<TPanel>(window, PANEL_CLASS); }

TPanel::TPanel(HWND window) : TControlWindow(window) { SetColor(::GetSysColor(COLOR_BTNFACE)); }

void TPanel::SetColor(COLORREF color) {
  HBRUSH brush = ::CreateSolidBrush(color);
  if (brush == nullptr) return;
  fBrush.Reset(brush);
  fColor = color;
  ::InvalidateRect(fHandle, nullptr, TRUE);
}

void TPanel::SetScrollRange(int contentHeight, int lineHeight) {
  fContentHeight = std::max(contentHeight, 0);
  fLineHeight = std::max(lineHeight, 1);
  UpdateScrollBar();
}

void TPanel::UpdateScrollBar() {
  RECT client{};
  ::GetClientRect(fHandle, &client);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = fContentHeight > 0 ? fContentHeight - 1 : 0;
  info.nPage = static_cast<UINT>(client.bottom);
  info.nPos = fScrollPos;
  ::SetScrollInfo(fHandle, SB_VERT, &info, TRUE);
}

void TPanel::ScrollTo(int position) {
  RECT client{};
  ::GetClientRect(fHandle, &client);
  const int last = std::max(fContentHeight - static_cast<int>(client.bottom), 0);
  const int target = std::clamp(position, 0, last);
  if (target == fScrollPos) return;
  const int delta = fScrollPos - target;
  fScrollPos = target;
  ::ScrollWindowEx(fHandle, 0, delta, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  UpdateScrollBar();
}

void TPanel::ScrollIntoView(HWND descendant) {
  RECT item{};
  RECT client{};
  if (!::GetWindowRect(descendant, &item) || !::GetClientRect(fHandle, &client)) return;
  ::MapWindowPoints(nullptr, fHandle, reinterpret_cast<POINT*>(&item), 2);
  const int margin = fLineHeight / 2;
  if (item.top < 0) {
    ScrollTo(fScrollPos + item.top - margin);
  } else if (item.bottom > client.bottom) {
    ScrollTo(fScrollPos + item.bottom - client.bottom + margin);
  }
}

void TPanel::Scroll(WPARAM request) {
  RECT client{};
  ::GetClientRect(fHandle, &client);
  const auto target = ScrollRequestTarget(fHandle, SB_VERT, LOWORD(request), fScrollPos,
                                          {fLineHeight, client.bottom, fContentHeight});
  if (target) ScrollTo(static_cast<int>(*target));
}

void TPanel::Paint(HDC dc, const RECT& client) { ::FillRect(dc, &client, Brush()); }

LRESULT TPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetBkColor(dc, fColor);
      return reinterpret_cast<LRESULT>(Brush());
    }
    case WM_VSCROLL:
      Scroll(wParam);
      return 0;
    case WM_HSCROLL:
      return 0;  // nothing is wider than an area
    case WM_SIZE:
      UpdateScrollBar();
      ScrollTo(fScrollPos);
      return 0;
    // A control's context menu request passes on naming the control, as
    // the default handling would name the panel instead.
    case WM_CONTEXTMENU:
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return ::SendMessageA(::GetParent(fHandle), message, wParam, lParam);
    default:
      return TControlWindow::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace qlm
