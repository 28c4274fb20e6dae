// A thread that writes out the trace log's waiting lines: once woken, it
// waits at most the given delay and then calls the flush it was made with,
// so that no line waits longer than that for the disk.
#pragma once

#include <windows.h>

#include <functional>

#include "base/uHandles.h"

namespace qlm {

class TTraceFlusher {
 public:
  TTraceFlusher(DWORD delayMs, std::function<void()> flush);
  // Ends the thread; a flush under way finishes first.
  ~TTraceFlusher();
  TTraceFlusher(const TTraceFlusher&) = delete;
  TTraceFlusher& operator=(const TTraceFlusher&) = delete;

  // Lines are waiting: the flush comes within the delay.
  void Wake() { ::SetEvent(fWake.Get()); }

 private:
  static DWORD WINAPI ThreadProc(void* self);
  void Run();

  DWORD fDelayMs;
  std::function<void()> fFlush;
  THandle fWake;
  THandle fStop;
  THandle fThread;
};

}  // namespace qlm
