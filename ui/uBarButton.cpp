#include "ui/uBarButton.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "base/uHandles.h"

namespace qlm {

namespace {
COLORREF Shade(COLORREF color, int delta) {
  auto part = [delta](int value) { return static_cast<BYTE>(std::clamp(value + delta, 0, 255)); };
  return RGB(part(GetRValue(color)), part(GetGValue(color)), part(GetBValue(color)));
}

bool KeyboardCuesHidden(HWND window, WPARAM flag) {
  return (::SendMessageA(window, WM_QUERYUISTATE, 0, 0) & flag) != 0;
}
}  // namespace

bool TBarButton::Register(HINSTANCE instance) {
  return RegisterControlClass(instance, BAR_BUTTON_CLASS, &Procedure<TBarButton>);
}

TBarButton* TBarButton::From(HWND window) { return FromWindow<TBarButton>(window, BAR_BUTTON_CLASS); }

void TBarButton::SetPictures(HBITMAP strip) {
  fStrip = strip;
  Repaint();
}

void TBarButton::SetPictureIndex(int index) {
  fPictureIndex = index == 1 ? 1 : 0;
  Repaint();
}

void TBarButton::MouseMoved() {
  if (fMouseOver) return;
  fMouseOver = true;
  TrackMouseLeave();
  Repaint();
  Notify(BBN_MOUSEENTER);
}

void TBarButton::MouseLeft() {
  fMouseOver = false;
  fPressed = false;
  Repaint();
  Notify(BBN_MOUSELEAVE);
}

// The side of the square picture: the strip's frame at the screen's DPI,
// within the button's height; 0 without a strip.
int TBarButton::PictureSize(const RECT& client) const {
  BITMAP info{};
  if (fStrip == nullptr || ::GetObjectA(fStrip, sizeof info, &info) != sizeof info) return 0;
  return std::min<int>(info.bmHeight * ScreenDpi() / 96, client.bottom - client.top - 4);
}

bool TBarButton::CaptionBesidePicture(const RECT& client, int size) const {
  return client.right - client.left > 2 * size && !Caption().empty();
}

// The picture at the left of the caption, or centred when the button has no
// room for a caption.
RECT TBarButton::PictureRect(const RECT& client) const {
  const int size = PictureSize(client);
  const int left = CaptionBesidePicture(client, size) ? client.left + size / 8
                                                      : (client.left + client.right - size) / 2;
  const int top = client.top + (client.bottom - client.top - size) / 2;
  return {left, top, left + size, top + size};
}

bool TBarButton::PictureOnly() const {
  RECT client{};
  ::GetClientRect(fHandle, &client);
  const int size = PictureSize(client);
  return size > 0 && !CaptionBesidePicture(client, size);
}

RECT TBarButton::CaptionRoom(const RECT& client) const {
  const int size = PictureSize(client);
  if (size <= 0) return client;
  RECT text = client;
  text.left = CaptionBesidePicture(client, size) ? client.left + size / 8 + size + size / 8
                                                 : client.right;
  return text;
}

void TBarButton::DrawPicture(HDC dc, const RECT& picture) const {
  BITMAP info{};
  if (::GetObjectA(fStrip, sizeof info, &info) != sizeof info) return;
  const int frame = info.bmHeight;
  TMemoryDC source(::CreateCompatibleDC(dc));
  if (!source) return;
  TSelectedObject strip(source.Get(), fStrip);
  const bool enabled = ::IsWindowEnabled(fHandle) != FALSE;
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(enabled ? 255 : 110), AC_SRC_ALPHA};
  ::AlphaBlend(dc, picture.left, picture.top, picture.right - picture.left,
               picture.bottom - picture.top, source.Get(), fPictureIndex * frame, 0, frame,
               frame, blend);
}

void TBarButton::DrawArrow(HDC dc, const RECT& client) const {
  const int cx = (client.left + client.right) / 2;
  const int cy = (client.top + client.bottom) / 2;
  const int half = std::max<int>(2, (client.right - client.left) / 5);
  const POINT arrow[3] = {{cx - half, cy - half / 2}, {cx + half + 1, cy - half / 2},
                          {cx, cy + half / 2 + 1}};
  const bool enabled = ::IsWindowEnabled(fHandle) != FALSE;
  TGdiObject brush(::CreateSolidBrush(::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT)));
  TSelectedObject fill(dc, brush.Get());
  TSelectedObject pen(dc, ::GetStockObject(NULL_PEN));
  ::Polygon(dc, arrow, 3);
}

void TBarButton::Paint(HDC dc, const RECT& client) {
  FillParentBackground(dc, client);
  const COLORREF face = ParentColour();
  const bool enabled = ::IsWindowEnabled(fHandle) != FALSE;
  if (enabled && (fMouseOver || fPressed)) {
    TGdiObject brush(::CreateSolidBrush(Shade(face, fPressed ? -18 : 14)));
    TGdiObject border(::CreatePen(PS_SOLID, 1, Shade(face, -70)));
    TSelectedObject fill(dc, brush.Get());
    TSelectedObject pen(dc, border.Get());
    ::RoundRect(dc, client.left, client.top, client.right, client.bottom, 6, 6);
  }
  const RECT text = CaptionRoom(client);
  if (fStrip != nullptr) {
    DrawPicture(dc, PictureRect(client));
  } else if ((::GetWindowLongA(fHandle, GWL_STYLE) & BBS_DROPDOWN) != 0) {
    DrawArrow(dc, client);
  }
  if (text.right - text.left > 8) {
    TSelectedObject font(dc, Font());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const std::string caption = Caption();
    UINT format = CaptionFormat() | DT_END_ELLIPSIS;
    if (KeyboardCuesHidden(fHandle, UISF_HIDEACCEL)) format |= DT_HIDEPREFIX;
    RECT bounds = text;
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &bounds, format);
  }
  if (::GetFocus() == fHandle && !KeyboardCuesHidden(fHandle, UISF_HIDEFOCUS)) {
    RECT focus = client;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(dc, &focus);
  }
}

LRESULT TBarButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      MouseMoved();
      return 0;
    case WM_MOUSELEAVE:
      MouseLeft();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      fPressed = true;
      ::SetFocus(fHandle);
      ::SetCapture(fHandle);
      Repaint();
      return 0;
    case WM_LBUTTONUP: {
      const bool wasPressed = fPressed;
      fPressed = false;
      ::ReleaseCapture();
      Repaint();
      RECT client{};
      ::GetClientRect(fHandle, &client);
      const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (wasPressed && ::PtInRect(&client, at)) Notify(BN_CLICKED);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE || wParam == VK_RETURN) {
        Notify(BN_CLICKED);
        return 0;
      }
      break;
    case BM_CLICK:
      if (::IsWindowEnabled(fHandle)) Notify(BN_CLICKED);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
      Repaint();
      break;
    default:
      return TControlWindow::HandleMessage(message, wParam, lParam);
  }
  return ::DefWindowProcA(fHandle, message, wParam, lParam);
}

}  // namespace qlm
