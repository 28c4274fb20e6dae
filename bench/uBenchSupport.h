// What the benchmarks share: timing, numbered names, the services library
// and a window that takes the engine's progress messages.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "engine/uCoreTypes.h"

namespace qlm {
class TCore;
class TScanContext;
class TTrace;
}  // namespace qlm

inline constexpr char kBenchFolder[] = "C:\\qlm-bench\\";
// The 100,000-file tree of the scan benchmarks, made once and reused.
inline constexpr char kTree[] = "C:\\qlm-bench\\tree\\";

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to);

template <typename TRun>
double Timed(TRun run) {
  LARGE_INTEGER from, to;
  ::QueryPerformanceCounter(&from);
  run();
  ::QueryPerformanceCounter(&to);
  return Milliseconds(from, to);
}

// The processor time this process has used so far (every thread, user and
// system), in milliseconds: a figure that other work on a busy machine
// disturbs far less than the time on the clock.
double ProcessCpuMs();

// The best of several rounds.
inline double Better(int round, double best, double ms) {
  return round == 0 || ms < best ? ms : best;
}

// A run's time on the clock and the processor time the process spent in it.
struct TCost {
  double Wall = 0;
  double Cpu = 0;
};

template <typename TRun>
TCost Measured(TRun run) {
  const double cpu = ProcessCpuMs();
  const double wall = Timed(run);
  return {wall, ProcessCpuMs() - cpu};
}

inline TCost Better(int round, TCost best, TCost cost) {
  return {Better(round, best.Wall, cost.Wall), Better(round, best.Cpu, cost.Cpu)};
}

std::string Numbered(const char* prefix, int number, int digits);

// The synthetic tree below root (with trailing backslash): top folders of
// subfolders of empty files, paths of about 60 characters such as
// C:\qlm-bench\tree\dir-07\folder-0042\temporary-file-00019.tmp
bool MakeSyntheticTree(const std::string& root, int topFolders, int subFolders,
                       int filesPerFolder);

// Makes kTree once: 100,000 files in 5,000 folders; false when it cannot.
bool BuildBenchTree();

// The tree of a clean benchmark below root: 20,000 files in 1,000 folders.
bool MakeCleanTree(const std::string& root);

// Binds the build's misc.dll as the program does; false with a message when
// it cannot.
bool BindMisc(HMODULE& module);

// A message-only window that frees every progress payload it receives.
HWND MakeProgressWindow();
void DrainMessages();

// Appends a folder item that finds every file below folder as a custom object.
void AddWholeTreeItem(qlm::TScanContext& scan, const std::string& folder);

// Sets core up for a scan that logs to trace, posts to window and searches
// only what collect appends (in the place of the custom define items).
using TBenchCollector = void (*)(qlm::TScanContext& scan);
void PrepareScan(qlm::TCore& core, qlm::TTrace& trace, HWND window, TBenchCollector collect,
                 const qlm::TOptions& options = {});

// Runs core's operation on this thread while the worker holds the found
// list, as the worker thread would; the time it took.
TCost MeasuredRun(qlm::TCore& core);
double TimedRun(qlm::TCore& core);

// A scan with collect (untimed), then the clean of what it found with the
// options, timed, both at trace level 6; objects is what the scan found.
double ScanThenTimedClean(HWND window, TBenchCollector collect, const qlm::TOptions& options,
                          std::size_t& objects);

// Every file below folder (with its trailing backslash), by full path.
void FilesBelow(const std::string& folder, std::vector<std::string>& files);
