#include "app/uStartup.h"

#include <exception>
#include <memory>

#include "base/uExecutable.h"
#include "base/uHandles.h"
#include "startup/uLibrarySearch.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"
#include "startup/uTraceCrash.h"
#include "ui/uMain.h"
#include "ui/uRestartArgs.h"

namespace qlm {

bool IsMutexFree(const std::string& name) {
  THandle mutex(::OpenMutexA(SYNCHRONIZE, FALSE, name.c_str()));
  return !mutex;
}

namespace {

enum class TMutexCreation { Created, AlreadyThere, Failed };

// An unowned mutex of that name; a mutex that already existed is closed again
// (another copy made it between the test and this creation).
TMutexCreation CreateUnownedMutex(const std::string& name, THandle& mutex) {
  mutex.Reset(::CreateMutexA(nullptr, FALSE, name.c_str()));
  if (!mutex) return TMutexCreation::Failed;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    mutex.Reset();
    return TMutexCreation::AlreadyThere;
  }
  return TMutexCreation::Created;
}

// Started again by itself with administrator rights: the instance that
// asked closes first, saving its settings, and holds the single-instance
// mutex until then. One that does not end within the wait keeps it, and
// this instance ends as any second copy does.
void WaitForPredecessor() {
  constexpr DWORD kPredecessorWait = 60000;
  const std::optional<std::uint32_t> predecessor = ParseRestartArgs(::GetCommandLineA());
  if (!predecessor) return;
  THandle process(::OpenProcess(SYNCHRONIZE, FALSE, *predecessor));
  if (process) ::WaitForSingleObject(process.Get(), kPredecessorWait);
}

void ShowFatalError(const char* text) {
  ::MessageBoxA(nullptr, text, FATAL_ERROR_CAPTION, MB_OK | MB_ICONERROR);
}

// Owns the process's trace log and publishes it while alive; a crash
// meanwhile still writes the lines that wait in it.
class TTraceScope {
 public:
  TTraceScope()
      : fTrace(std::make_unique<TTrace>(ExecutablePath(), LVL_TRASH, true, TRACE_FOLDER, "", 0)) {
    Trace = fTrace.get();
  }
  ~TTraceScope() { Trace = nullptr; }

 private:
  std::unique_ptr<TTrace> fTrace;
  TTraceCrashFilter fCrashFilter;
};

void RunMainWindow(HINSTANCE instance) {
  TFormMain form(instance);
  if (!form.Create()) {
    Log(LVL_ERROR, "Cannot create the main window!");
    return;
  }
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (form.PreTranslateMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace

HANDLE CreateInstanceMutex(const std::string& baseName) {
  const std::string local = baseName + ".Running";
  const std::string global = "Global\\" + baseName + ".Running";
  if (!IsMutexFree(global) || !IsMutexFree(local)) return nullptr;

  THandle mutex;
  switch (CreateUnownedMutex(global, mutex)) {
    case TMutexCreation::Created:
      return mutex.Release();
    case TMutexCreation::AlreadyThere:
      return nullptr;
    case TMutexCreation::Failed:
      break;
  }
  CreateUnownedMutex(local, mutex);
  return mutex.Release();
}

int RunApplication(HINSTANCE instance) {
  // Without either call (Windows XP before SP1) the libraries loaded by full
  // path below are still ours; only what they load in turn is searched.
  RestrictLibrarySearch();
  WaitForPredecessor();
  THandle instanceMutex(CreateInstanceMutex(MUTEX_BASE_NAME));
  if (!instanceMutex) return 0;

  HMODULE miscLibrary = nullptr;
  if (!LoadMiscLibrary(miscLibrary, "")) {
    ShowFatalError(MISC_LOAD_FAILED);
    return 0;
  }
  // A library without the export cannot give a record: it is as invalid as
  // one whose record has the wrong version.
  Misc = GetIMiscEntry != nullptr ? GetIMiscEntry() : nullptr;
  if (Misc == nullptr || Misc->Version != MISC_INTERFACE_VERSION) {
    ShowFatalError(MISC_INVALID_INTERFACE);
    return 0;
  }

  int exitCode = 0;
  {
    TTraceScope trace;
    try {
      RunMainWindow(instance);
    } catch (const std::exception& e) {
      Log(LVL_EXCEPT, std::string("##### EXCEPTION: ") + e.what());
      exitCode = 1;
    } catch (...) {
      Log(LVL_EXCEPT, "##### EXCEPTION: unknown error");
      exitCode = 1;
    }
    UnloadMiscLibrary(miscLibrary);
    Misc = nullptr;
  }
  instanceMutex.Reset();
  return exitCode;
}

}  // namespace qlm
