#include "ui/controls/uImageEx.h"

#include "base/uHandles.h"
#include "ui/controls/uControlGeometry.h"

namespace qlm {

TImageEx* TImageEx::From(HWND window) { return FromWindow<TImageEx>(window, IMAGE_EX_CLASS); }

void TImageEx::SetImages(HIMAGELIST images) {
  fImages = images;
  SetImageIndex(fImageIndex);
}

void TImageEx::SetImageIndex(int index) {
  const int count = fImages != nullptr ? ::ImageList_GetImageCount(fImages) : 0;
  fImageIndex = ClampImageIndex(index, count);
  Repaint();
}

void TImageEx::SetPicture(HBITMAP picture) {
  fPicture = picture;
  Repaint();
}

LRESULT TImageEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter must reach a focused picture rather than the dialog manager.
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      const bool enter = msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
      return enter ? DLGC_WANTMESSAGE : DLGC_STATIC;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Repaint();
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_SPACE) {
        // As the keyboard's menu key does: the menu below the picture.
        ::SendMessageA(fHandle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(fHandle), -1);
        return 0;
      }
      break;
    default:
      break;
  }
  return TControlWindow::HandleMessage(message, wParam, lParam);
}

void TImageEx::Paint(HDC dc, const RECT& client) {
  FillParentBackground(dc, client);
  if (fImages != nullptr && fImageIndex >= 0) {
    ::ImageList_Draw(fImages, fImageIndex, dc, 0, 0, ILD_TRANSPARENT);
  } else if (fPicture != nullptr) {
    DrawPicture(dc);
  }
  if (::GetFocus() == fHandle) ::DrawFocusRect(dc, &client);
}

void TImageEx::DrawPicture(HDC dc) const {
  BITMAP picture{};
  if (::GetObjectA(fPicture, sizeof picture, &picture) != sizeof picture) return;
  TMemoryDC source(::CreateCompatibleDC(dc));
  if (!source) return;
  TSelectedObject selected(source.Get(), fPicture);
  if (picture.bmBitsPixel == 32) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(dc, 0, 0, picture.bmWidth, picture.bmHeight, source.Get(), 0, 0,
                 picture.bmWidth, picture.bmHeight, blend);
  } else {
    ::BitBlt(dc, 0, 0, picture.bmWidth, picture.bmHeight, source.Get(), 0, 0, SRCCOPY);
  }
}

}  // namespace qlm
