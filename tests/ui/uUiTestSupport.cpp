#include "tests/ui/uUiTestSupport.h"

namespace qlm {

void PumpMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    PumpMessages();
    if (done()) return true;
    // Unsigned differences stay right across the counter's wrap.
    const DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
  }
}

}  // namespace qlm
