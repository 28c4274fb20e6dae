#include "ui/controls/uControlWindow.h"

#include <new>

#include "base/uHandles.h"
#include "ui/controls/uPainting.h"
#include "ui/uWindowGuard.h"

namespace qlm {

bool TControlWindow::RegisterControlClass(HINSTANCE instance, const char* className,
                                          WNDPROC procedure, UINT extraStyle) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(instance, className, &existing)) return true;

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | extraStyle;
  windowClass.lpfnWndProc = procedure;
  windowClass.cbWndExtra = sizeof(TControlWindow*);
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = className;
  return ::RegisterClassExA(&windowClass) != 0;
}

LRESULT TControlWindow::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<TControlWindow*>(::GetWindowLongPtrA(window, 0));
  if (control == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  const LRESULT result = GuardedHandler(window, message, wParam, lParam, [&] {
    return control->HandleMessage(message, wParam, lParam);
  });
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, 0, 0);
    delete control;
  }
  return result;
}

LRESULT TControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = ::BeginPaint(fHandle, &paint);
      if (dc != nullptr) {
        PaintBuffered(dc);
        ::EndPaint(fHandle, &paint);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintBuffered(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETFONT:
      fFont = reinterpret_cast<HFONT>(wParam);
      TextChanged();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(fFont);
    case WM_SETTEXT: {
      const LRESULT result = ::DefWindowProcA(fHandle, message, wParam, lParam);
      TextChanged();
      return result;
    }
    case WM_ENABLE:
      Repaint();
      return 0;
    default:
      return ::DefWindowProcA(fHandle, message, wParam, lParam);
  }
}

void TControlWindow::PaintBuffered(HDC target) {
  RECT client{};
  if (target == nullptr || !::GetClientRect(fHandle, &client) || client.right <= 0 ||
      client.bottom <= 0) {
    return;
  }
  TMemoryDC buffer(::CreateCompatibleDC(target));
  TBitmap bitmap(buffer ? ::CreateCompatibleBitmap(target, client.right, client.bottom) : nullptr);
  if (!bitmap) {
    Paint(target, client);
    return;
  }
  TSelectedObject selected(buffer.Get(), bitmap.Get());
  Paint(buffer.Get(), client);
  ::BitBlt(target, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
}

std::string TControlWindow::Caption() const {
  const int length = ::GetWindowTextLengthA(fHandle);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(fHandle, text.data(), length + 1)));
  return text;
}

HFONT TControlWindow::Font() const {
  return fFont != nullptr ? fFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void TControlWindow::Repaint() const { ::InvalidateRect(fHandle, nullptr, FALSE); }

bool TControlWindow::TrackMouseLeave() const {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = fHandle;
  return ::TrackMouseEvent(&track) != FALSE;
}

void TControlWindow::Notify(WORD code) const {
  HWND parent = ::GetParent(fHandle);
  if (parent == nullptr) return;
  const auto id = static_cast<WORD>(::GetDlgCtrlID(fHandle));
  ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(fHandle));
}

COLORREF TControlWindow::FillParentBackground(HDC dc, const RECT& area) const {
  HWND parent = ::GetParent(fHandle);
  HBRUSH brush = nullptr;
  if (parent != nullptr) {
    brush = reinterpret_cast<HBRUSH>(::SendMessageA(parent, WM_CTLCOLORSTATIC,
                                                    reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(fHandle)));
  }
  if (brush == nullptr) brush = ::GetSysColorBrush(COLOR_BTNFACE);
  POINT origin{0, 0};
  if (parent != nullptr) ::MapWindowPoints(fHandle, parent, &origin, 1);
  POINT oldOrigin{};
  ::SetBrushOrgEx(dc, -origin.x, -origin.y, &oldOrigin);
  ::FillRect(dc, &area, brush);
  ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  return ::GetTextColor(dc);
}

COLORREF TControlWindow::ParentColour() const {
  HWND parent = ::GetParent(fHandle);
  COLORREF colour = ::GetSysColor(COLOR_BTNFACE);
  if (parent == nullptr) return colour;
  TWindowDC screen(nullptr);
  TMemoryDC dc(::CreateCompatibleDC(screen.Get()));
  if (!dc) return colour;
  const auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(
      parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
      reinterpret_cast<LPARAM>(fHandle)));
  SolidBrushColour(brush, colour);
  return colour;
}

bool TControlWindow::CaptionFits() const {
  RECT client{};
  if (!::GetClientRect(fHandle, &client)) return false;
  const RECT room = CaptionRoom(client);
  const SIZE text = TextExtent(Caption(), CaptionFormat(), room.right - room.left);
  return text.cx <= room.right - room.left && text.cy <= room.bottom - room.top;
}

SIZE TControlWindow::TextExtent(const std::string& text, UINT format, int wrapWidth) const {
  TWindowDC screen(fHandle);
  if (screen.Get() == nullptr) return {0, 0};
  TSelectedObject font(screen.Get(), Font());
  RECT bounds{0, 0, wrapWidth, 0};
  // An empty caption still measures one line of the font.
  const std::string measured = text.empty() ? std::string(" ") : text;
  ::DrawTextA(screen.Get(), measured.c_str(), static_cast<int>(measured.size()), &bounds,
              format | DT_CALCRECT);
  return {text.empty() ? 0 : bounds.right - bounds.left, bounds.bottom - bounds.top};
}

// Visual styles reach a program only through the common controls' version
// that loads uxtheme, so a program without it is never styled.
bool VisualStylesActive() {
  using TIsThemeActive = BOOL(WINAPI*)();
  HMODULE themes = ::GetModuleHandleA("uxtheme.dll");
  if (themes == nullptr) return false;
  const auto isThemeActive =
      reinterpret_cast<TIsThemeActive>(reinterpret_cast<void*>(::GetProcAddress(themes, "IsThemeActive")));
  return isThemeActive != nullptr && isThemeActive() != FALSE;
}

int ScreenDpi() {
  TWindowDC screen(nullptr);
  const int dpi = screen.Get() != nullptr ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : 96;
}

}  // namespace qlm
