// The road of progress messages from the engine's thread to the main window.
// Posting a window message per progress step would lose messages once the
// window's queue holds 10,000 of them, and costs more than walking a folder.
// Messages therefore wait, in posting order, in a locked queue per window;
// the window's own queue holds at most one wake-up message for it at a time.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

#include "engine/uCoreTypes.h"

namespace qlm {

// Progress messages; the payload pointer travels in wParam, lParam is 0.
inline constexpr UINT WM_CORE_SCAN_END = WM_USER + 1;      // 1025
inline constexpr UINT WM_CORE_CLEAN_END = WM_USER + 2;     // 1026
inline constexpr UINT WM_CORE_CURR_PATH = WM_USER + 3;     // 1027
inline constexpr UINT WM_CORE_UPDATE_SCAN = WM_USER + 4;   // 1028
inline constexpr UINT WM_CORE_UPDATE_CLEAN = WM_USER + 5;  // 1029

// The wake-up that the window answers with DeliverProgress.
inline constexpr UINT WM_CORE_PROGRESS = WM_APP + 0x100;

// Queues a message for the window and makes sure a wake-up is on its way:
// at once for the end of an operation, else at most every 25 ms, so that a
// message posted sooner waits for the next wake-up, the end, or the window's
// own timer. False when there is no window or the wake-up could not be
// posted; the message then stays queued for the next wake-up.
bool PostProgress(HWND window, UINT message, std::unique_ptr<TUpdateItem> item);

// Called on the window's thread when it receives WM_CORE_PROGRESS: hands
// every queued message to the window's procedure, oldest first, one at a
// time. From then on the window owns each payload and must dispose of it.
void DeliverProgress(HWND window);

// Frees the messages still queued for a window that is going away.
void DiscardProgress(HWND window);

// How many messages wait for the window.
std::size_t PendingProgress(HWND window);

}  // namespace qlm
