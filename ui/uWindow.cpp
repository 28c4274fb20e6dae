#include "ui/uWindow.h"

#include "ui/uWindowGuard.h"

namespace qlm {

std::string ControlText(HWND control) {
  const int length = ::GetWindowTextLengthA(control);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int read = ::GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
  return text;
}

LRESULT FaceColouredStatic(WPARAM dc) {
  ::SetBkMode(reinterpret_cast<HDC>(dc), TRANSPARENT);
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

TWindow::~TWindow() {
  if (fHandle != nullptr) {
    ::SetWindowLongPtrA(fHandle, GWLP_USERDATA, 0);
    ::DestroyWindow(fHandle);
  }
}

bool TWindow::RegisterWindowClass(const char* className, HBRUSH background, HICON icon) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(fInstance, className, &existing)) return true;

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &TWindow::WindowProc;
  windowClass.hInstance = fInstance;
  windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hIcon = icon;
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  return ::RegisterClassExA(&windowClass) != 0;
}

bool TWindow::CreateCentred(const char* className, const std::string& title, DWORD style,
                            int clientWidth, int clientHeight, DWORD exStyle, HWND owner) {
  RECT frame{0, 0, clientWidth, clientHeight};
  if (!::AdjustWindowRectEx(&frame, style, FALSE, exStyle)) return false;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;
  return ::CreateWindowExA(exStyle, className, title.c_str(), style, x, y, width, height, owner,
                           nullptr, fInstance, this) != nullptr;
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWindow::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(fHandle, message, wParam, lParam);
}

LRESULT CALLBACK TWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->fHandle = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  const LRESULT result = GuardedHandler(window, message, wParam, lParam, [&] {
    return self->HandleMessage(message, wParam, lParam);
  });
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->fHandle = nullptr;
  }
  return result;
}

}  // namespace qlm
