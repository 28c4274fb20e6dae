#include "startup/uTraceFlusher.h"

#include <utility>

namespace qlm {

TTraceFlusher::TTraceFlusher(DWORD delayMs, std::function<void()> flush)
    : fDelayMs(delayMs),
      fFlush(std::move(flush)),
      fWake(::CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      fStop(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  // Without its events or its thread the log still writes at every line of
  // level 3 or lower, at the size limit, at the end of an operation and at
  // exit; only the time limit is lost.
  if (fWake && fStop) fThread.Reset(::CreateThread(nullptr, 0, &ThreadProc, this, 0, nullptr));
}

TTraceFlusher::~TTraceFlusher() {
  if (!fThread) return;
  ::SetEvent(fStop.Get());
  ::WaitForSingleObject(fThread.Get(), INFINITE);
}

DWORD WINAPI TTraceFlusher::ThreadProc(void* self) {
  static_cast<TTraceFlusher*>(self)->Run();
  return 0;
}

void TTraceFlusher::Run() {
  const HANDLE events[] = {fStop.Get(), fWake.Get()};
  while (::WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    // Lines that come meanwhile join the same block.
    if (::WaitForSingleObject(fStop.Get(), fDelayMs) != WAIT_TIMEOUT) return;
    fFlush();
  }
}

}  // namespace qlm
