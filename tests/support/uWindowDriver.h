// Driving another process's windows through messages only, as the journeys
// and the screenshot driver do: find a control by its id, read its text,
// click it as the mouse would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace qlm {

// A control anywhere in the window, by its id; nullptr when there is none.
HWND ControlOf(HWND window, int id);
// The text the control holds.
std::string TextOf(HWND control);
// A left click in the control's top-left corner, as the mouse makes it.
void ClickAt(HWND control);
// Polls until `done` holds; false when it still does not after the time.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);
// The first visible top-level window of the class within the time, or nullptr.
HWND WaitForVisibleClass(const char* className, DWORD timeoutMs);

}  // namespace qlm
