// The engine's worker thread: owns the engine, carries its initialisation
// record in and out, runs one operation per start and then waits for the
// next. A start is never lost, also one made while the worker is still
// finishing the operation whose end message the window has just received.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include "base/uHandles.h"
#include "engine/uCore.h"

namespace qlm {

class TCoreThread {
 public:
  // Created suspended, with its engine.
  TCoreThread();
  // Ends the thread (stop, terminate, resume, wait) before releasing the engine.
  ~TCoreThread();
  TCoreThread(const TCoreThread&) = delete;
  TCoreThread& operator=(const TCoreThread&) = delete;

  // Only while IsRunning is false.
  void GetInit(TCoreInit& init) const;
  void SetInit(const TCoreInit& init);
  void SetOpType(int opType);

  void Start();
  void Stop();
  bool IsRunning();

  void Resume();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  bool Suspended() const { return FSuspended; }
  HANDLE Handle() const { return FHandle.Get(); }

  // The engine, for the window's code that sets up its scan parts.
  TCore& Core() { return *FCore; }

 private:
  static DWORD WINAPI ThreadProc(void* self);
  void Execute();
  bool TakeStart();
  void RunOperation();
  void FinishOperation();

  TCriticalSection FLock;
  std::unique_ptr<TCore> FCore;
  bool FRunning = false;
  // A start not yet taken by the worker; it keeps FRunning set past the end
  // of the operation in hand.
  bool FStartPending = false;
  std::atomic<bool> FTerminated{false};
  bool FSuspended = true;
  THandle FWake;
  THandle FHandle;
};

// The window's exit protocol: stop a running operation, terminate, resume
// when suspended, wait at most 10000 ms, free. A worker that does not end in
// time is left to the ending process rather than freed under its feet.
void FreeCoreThread(std::unique_ptr<TCoreThread>& coreThread);

}  // namespace qlm
