// Message pumping for the tests that drive a window in their own process.
#pragma once

#include <windows.h>

#include <functional>

namespace qlm {

// Dispatches every message waiting for this thread.
void PumpMessages();
// Dispatches messages as they come until `done` holds; false when it still
// does not after `timeoutMs`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

}  // namespace qlm
