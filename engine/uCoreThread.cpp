#include "engine/uCoreThread.h"

#include <exception>

#include "startup/uTrace.h"

namespace qlm {

TCoreThread::TCoreThread()
    : FCore(std::make_unique<TCore>()),
      FWake(::CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      FHandle(::CreateThread(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, nullptr)) {}

TCoreThread::~TCoreThread() {
  if (FHandle) {
    Stop();
    Terminate();
    Resume();
    ::WaitForSingleObject(FHandle.Get(), INFINITE);
  }
}

void TCoreThread::GetInit(TCoreInit& init) const { init = FCore->GetInit(); }

void TCoreThread::SetInit(const TCoreInit& init) { FCore->SetInit(init); }

void TCoreThread::SetOpType(int opType) { FCore->SetOpType(opType); }

void TCoreThread::Start() {
  {
    TLockGuard guard(FLock);
    FCore->SetStop(false);
    FoundList.HandTo(TListSide::Worker);
    FStartPending = true;
    FRunning = true;
  }
  ::SetEvent(FWake.Get());
}

void TCoreThread::Stop() { FCore->SetStop(true); }

bool TCoreThread::IsRunning() {
  TLockGuard guard(FLock);
  return FRunning;
}

void TCoreThread::Resume() {
  if (FSuspended && FHandle) {
    ::ResumeThread(FHandle.Get());
    FSuspended = false;
  }
  ::SetEvent(FWake.Get());
}

void TCoreThread::Terminate() {
  FTerminated = true;
  ::SetEvent(FWake.Get());
}

DWORD WINAPI TCoreThread::ThreadProc(void* self) {
  static_cast<TCoreThread*>(self)->Execute();
  return 0;
}

void TCoreThread::Execute() {
  while (!FTerminated) {
    if (!TakeStart()) {
      // Idle until a start or the end: both set the wake-up event.
      ::WaitForSingleObject(FWake.Get(), INFINITE);
      continue;
    }
    RunOperation();
    FinishOperation();
  }
}

bool TCoreThread::TakeStart() {
  TLockGuard guard(FLock);
  const bool start = FStartPending;
  FStartPending = false;
  return start;
}

void TCoreThread::RunOperation() {
  // An error that escapes an operation ends that operation, never the loop.
  // It may escape after the end message, when the window may already have
  // replaced the engine's settings: it goes to the process's own log.
  try {
    FCore->Run();
  } catch (const std::exception& e) {
    Log(LVL_EXCEPT, e.what());
  } catch (...) {
    Log(LVL_EXCEPT, "Unknown error in the core operation");
  }
}

void TCoreThread::FinishOperation() {
  TLockGuard guard(FLock);
  if (!FStartPending) FRunning = false;
}

void FreeCoreThread(std::unique_ptr<TCoreThread>& coreThread) {
  Log(LVL_DEBUG, "Freeing core thread...");
  if (!coreThread) return;
  if (coreThread->IsRunning()) coreThread->Stop();
  Log(LVL_DEBUG, "CoreThread.Terminate");
  coreThread->Terminate();
  if (coreThread->Suspended()) coreThread->Resume();
  const DWORD wait = ::WaitForSingleObject(coreThread->Handle(), 10000);
  if (wait == WAIT_TIMEOUT) {
    Log(LVL_DEBUG, "WaitForSingleObject(CoreThread.Handle, 10000) = WAIT_TIMEOUT");
  } else if (wait == WAIT_ABANDONED) {
    Log(LVL_DEBUG, "WaitForSingleObject(CoreThread.Handle, 10000) = WAIT_ABANDONED");
  }
  if (wait == WAIT_OBJECT_0) {
    coreThread.reset();
  } else {
    // Still running: its engine must outlive it, and the process is ending.
    static_cast<void>(coreThread.release());
  }
}

}  // namespace qlm
