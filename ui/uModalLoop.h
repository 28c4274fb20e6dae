// A window shown modally over its owner: the owner is disabled, the window
// centred over it, and the messages of the thread are dispatched (with the
// dialog keys of the window) until the window says it is done.
#pragma once

#include <windows.h>

#include <functional>

namespace qlm {

// Returns once `running` no longer holds, or when a WM_QUIT arrives (it is
// posted again for the program's own loop). The window is hidden and the
// owner enabled and activated again.
void RunModal(HWND window, HWND owner, HWND focus, const std::function<bool()>& running);

}  // namespace qlm
