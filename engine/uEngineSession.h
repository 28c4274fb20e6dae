// What every step of an engine operation shares: the initialisation record
// (trace, window, the engine's own copy of the options), the stop request
// that the main thread may set at any time, and the error flag that every
// progress message carries.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/uHandles.h"
#include "engine/uCoreTypes.h"

namespace qlm {

class TEngineSession {
 public:
  const TCoreInit& Init() const { return FInit; }
  void SetInit(const TCoreInit& init) { FInit = init; }
  const TOptions& Options() const { return FInit.Options; }
  // The engine may change its own copy for the current operation.
  TOptions& OwnOptions() { return FInit.Options; }

  void SetStop(bool stop);
  bool IsStopped() const;
  bool Failed() const { return FFailed; }
  void SetFailed(bool failed) { FFailed = failed; }

  void Log(int level, const std::string& text) const;
  bool LogsAt(int level) const;
  // Puts every line of the operation on the disk before its end message.
  void FlushLog() const;
  bool PostUpdate(UINT message, const std::string& text, std::int64_t count, std::int64_t size,
                  bool stopped) const;

 private:
  mutable TCriticalSection FLock;
  bool FStop = false;
  bool FFailed = false;
  TCoreInit FInit;
};

}  // namespace qlm
