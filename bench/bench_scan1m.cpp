// A scan that finds a million objects: the tree of bench/scan1m.sh (made
// once by that script and reused), searched by the engine on a thread of
// its own at trace level 6 while the main thread takes its progress
// messages, as the program's window does. The whole process's peak memory
// is the figure.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>
#include <thread>

#include "bench/uBenchSupport.h"
#include "engine/uCore.h"
#include "engine/uProgressQueue.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

using namespace qlm;

namespace {

constexpr char kMillionTree[] = "C:\\qlm-bench\\tree-1m\\";
constexpr char kMillionDone[] = "C:\\qlm-bench\\tree-1m.done";

void CollectTree(TScanContext& core) { AddWholeTreeItem(core, kMillionTree); }

double Megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

PROCESS_MEMORY_COUNTERS_EX Memory() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(),
                         reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters;
}

// Runs the scan on another thread and delivers its messages meanwhile.
double ScanWhilePumping(TCore& core) {
  return Timed([&] {
    FoundList.HandTo(TListSide::Worker);
    std::thread worker([&] { core.Run(); });
    while (FoundList.Holder() == TListSide::Worker) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      DrainMessages();
    }
    worker.join();
    DrainMessages();
  });
}

}  // namespace

int main() {
  HMODULE module = nullptr;
  if (!BindMisc(module)) return 1;
  if (::GetFileAttributesA(kMillionDone) == INVALID_FILE_ATTRIBUTES) {
    std::printf("the tree %s is missing: bench/scan1m.sh makes it\n", kMillionTree);
    return 1;
  }
  const HWND window = MakeProgressWindow();
  const PROCESS_MEMORY_COUNTERS_EX before = Memory();

  TTrace trace(std::string(kBenchFolder) + "bench.exe", LVL_DEBUG, true, "traces", "", 0);
  TCore core;
  PrepareScan(core, trace, window, &CollectTree);
  const double ms = ScanWhilePumping(core);
  const std::size_t objects = FoundList.Window().size();
  const PROCESS_MEMORY_COUNTERS_EX after = Memory();
  ::DeleteFileA(trace.FileName().c_str());

  std::printf("scan at level 6: %.0f ms, %u objects\n", ms, static_cast<unsigned>(objects));
  std::printf("working set: peak %.1f MB, before the scan %.1f MB\n",
              Megabytes(after.PeakWorkingSetSize), Megabytes(before.WorkingSetSize));
  // Peak commit charge: what Windows calls the process's private bytes.
  std::printf("peak private memory of the process: %.1f MB for %u objects (target 200 MB)\n",
              Megabytes(after.PeakPagefileUsage), static_cast<unsigned>(objects));
  FoundList.Window().clear();
  ::DestroyWindow(window);
  UnloadMiscLibrary(module);
  return 0;
}
