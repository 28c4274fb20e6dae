// The boundary between a window's C++ handlers and Windows: nothing thrown
// by a handler crosses into the system. The exception is logged and the
// message gets its default answer, except that a window whose creation
// failed is not made (CreateWindowEx then returns nullptr to its caller).
#pragma once

#include <windows.h>

#include <exception>

namespace qlm {

LRESULT HandlerFailed(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      const char* what);

template <typename THandler>
LRESULT GuardedHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       THandler&& handler) {
  try {
    return handler();
  } catch (const std::exception& e) {
    return HandlerFailed(window, message, wParam, lParam, e.what());
  } catch (...) {
    return HandlerFailed(window, message, wParam, lParam, "unknown error");
  }
}

}  // namespace qlm
