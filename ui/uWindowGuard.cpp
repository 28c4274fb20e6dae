#include "ui/uWindowGuard.h"

#include <string>

#include "startup/uTrace.h"

namespace qlm {

LRESULT HandlerFailed(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      const char* what) {
  Log(LVL_EXCEPT, std::string("##### EXCEPTION: ") + what);
  switch (message) {
    case WM_NCCREATE:
      return FALSE;
    case WM_CREATE:
      return -1;
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace qlm
