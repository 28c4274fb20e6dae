// Keeps Wine's desktop process alive for a whole test run. Wine starts that
// process from the first program that needs a window and lets it inherit that
// program's output pipes; it ends only a few seconds after the last window
// closes. Started first, with no pipes of its own, this hidden window owns
// the desktop process, so no test waits on it. The run ends it with the
// wineserver.
#include <windows.h>

namespace {

LRESULT CALLBACK KeeperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = KeeperProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "QlmDesktopKeeper";
  if (!::RegisterClassA(&windowClass)) return 1;
  if (!::CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr,
                         nullptr, instance, nullptr)) {
    return 1;
  }
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  return 0;
}
