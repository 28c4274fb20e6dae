// The main window's latency during a scan of the 100,000-file tree: another
// thread sends the window a message every 10 ms and notes how long each
// answer takes; the longest wait is the figure.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "base/uExecutable.h"
#include "bench/uBenchSupport.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"
#include "ui/uMain.h"

using namespace qlm;

namespace {

constexpr DWORD kProbeIntervalMs = 10;

struct TProbe {
  std::atomic<bool> Stop{false};
  std::atomic<bool> Done{false};
  std::atomic<long> Answers{0};
  double LongestMs = 0;
};

void ProbeWindow(HWND window, TProbe& probe) {
  while (!probe.Stop) {
    DWORD_PTR result = 0;
    const double ms = Timed([&] {
      ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    });
    probe.LongestMs = std::max(probe.LongestMs, ms);
    ++probe.Answers;
    ::Sleep(kProbeIntervalMs);
  }
  probe.Done = true;
}

// The program's own message loop until the operation has ended.
void RunUntilEnd(TFormMain& form) {
  MSG message;
  while (form.OperationRunning() && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (form.PreTranslateMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace

int main() {
  HMODULE module = nullptr;
  if (!BindMisc(module)) return 1;
  Misc = GetIMiscEntry();
  if (!BuildBenchTree()) {
    std::printf("the tree could not be built in %s\n", kTree);
    return 1;
  }
  // The program's trace at its default level, as a user's run has it.
  auto trace = std::make_unique<TTrace>(ExecutablePath(), LVL_DEBUG, true, "traces", "", 0);
  Trace = trace.get();
  ::DeleteFileA((ExecutableFolder() + SETTINGS_FILE).c_str());

  double longest = 0;
  {
    TFormMain form(::GetModuleHandleA(nullptr));
    if (!form.Create()) {
      std::printf("the main window could not be made\n");
      return 1;
    }
    TOptions& options = form.Config().Options;
    options.Core = TCoreOptions{};
    options.Core.System.SelFolders = true;
    options.Core.System.AddFolders = kTree;
    options.Core.System.AddExts = "*.tmp";

    TProbe probe;
    std::thread prober(ProbeWindow, form.Handle(), std::ref(probe));
    const double scanMs = Timed([&] {
      form.bbScanClick();
      RunUntilEnd(form);
    });
    // The window keeps answering until the probe has seen its last answer.
    probe.Stop = true;
    MSG message;
    while (!probe.Done) {
      while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
      ::Sleep(1);
    }
    prober.join();
    longest = probe.LongestMs;
    std::printf("scan from the window: %.0f ms, %lld objects, %ld answers to the probe\n", scanMs,
                static_cast<long long>(form.TotObjs()), probe.Answers.load());
    ::SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
  }
  Trace = nullptr;
  const std::string traceFile = trace->FileName();
  trace.reset();
  ::DeleteFileA(traceFile.c_str());
  Misc = nullptr;
  UnloadMiscLibrary(module);
  std::printf("window latency during scan: %.0f ms\n", longest);
  return 0;
}
