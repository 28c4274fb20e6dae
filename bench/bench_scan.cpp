// The scan's cost against a bare enumeration of the same tree, and the
// memory that the found list holds per object.
#include <windows.h>

#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <map>
#include <string>

#include "bench/uBenchSupport.h"
#include "engine/uCore.h"
#include "engine/uProgressQueue.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

using namespace qlm;

// Every allocation is counted as the heap charges it: the size rounded up
// to 8 bytes plus an 8-byte block header.
namespace {
std::atomic<long long> gHeapBytes{0};
long long HeapCost(std::size_t size) { return static_cast<long long>((size + 7) / 8 * 8 + 8); }
}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  gHeapBytes += HeapCost(_msize(block));
  return block;
}
void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  gHeapBytes -= HeapCost(_msize(block));
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

// The bare walk: every entry once, files counted, folders entered.
void Enumerate(const std::string& folder, long& files, long& folders) {
  WIN32_FIND_DATAA data;
  TFindHandle find(::FindFirstFileExA((folder + "*").c_str(), FindExInfoStandard, &data,
                                      FindExSearchNameMatch, nullptr, 0));
  if (!find) return;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      ++files;
    } else if (std::strcmp(data.cFileName, ".") != 0 && std::strcmp(data.cFileName, "..") != 0) {
      ++folders;
      Enumerate(folder + data.cFileName + "\\", files, folders);
    }
  } while (::FindNextFileA(find.Get(), &data));
}

void CollectTree(TScanContext& core) { AddWholeTreeItem(core, kTree); }

// One scan of the tree at a trace level, timed; the messages are then
// delivered (untimed), as the window would take them.
TCost ScanAt(int level, HWND window) {
  FoundList.Window().clear();
  FoundList.Window().shrink_to_fit();
  TTrace trace(std::string(kBenchFolder) + "bench.exe", level, true, "traces", "", 0);
  TCore core;
  PrepareScan(core, trace, window, &CollectTree);
  const TCost cost = MeasuredRun(core);
  DrainMessages();
  ::DeleteFileA(trace.FileName().c_str());
  return cost;
}

constexpr int kRounds = 6;

// What a level-6 scan pays per line: the scan writes one per folder entered
// and one per object found.
double TraceLineMicroseconds() {
  constexpr int kLines = 20000;
  TTrace trace(std::string(kBenchFolder) + "bench.exe", LVL_DEBUG, true, "traces", "", 0);
  const std::string line = "FT 256 FN c:\\qlm-bench\\tree\\dir-07\\folder-0042\\temporary-file-00019.tmp";
  trace.Log(LVL_DEBUG, line);
  const double ms = Timed([&] {
    for (int i = 0; i < kLines; ++i) trace.Log(LVL_DEBUG, line);
  });
  ::DeleteFileA(trace.FileName().c_str());
  return 1000.0 * ms / kLines;
}

// The found list's bytes per object in the 32-bit build, from what this
// build holds: a record is a 40-byte pool block, an entry of the list 4
// bytes, a place an 84-byte heap block with its folder and its names as
// heap texts when they pass the 15 characters a text holds inline.
double BytesPerObject32() {
  const TFoundList& found = FoundList.Window();
  std::map<const std::string*, std::size_t> names;  // the run of names of each place
  for (const auto& rec : found) names[&rec->Folder()] += rec->Name().size() + 1;
  long long bytes = static_cast<long long>(found.size()) * 40 +
                    static_cast<long long>(found.capacity()) * 4;
  for (const auto& [folder, size] : names) {
    bytes += HeapCost(84);
    if (folder->size() > 15) bytes += HeapCost(folder->size() + 1);
    if (size > 15) bytes += HeapCost(size + 1);
  }
  return static_cast<double>(bytes) / static_cast<double>(found.size());
}

}  // namespace

int main() {
  HMODULE module = nullptr;
  if (!BindMisc(module)) return 1;
  if (!BuildBenchTree()) {
    std::printf("the tree could not be built in %s\n", kTree);
    return 1;
  }
  const HWND window = MakeProgressWindow();

  // Rounds alternate the three measurements so that a busy machine weighs
  // on all of them alike; the best of each counts.
  long files = 0, folders = 0;
  TCost bare, level6, level4;
  for (int round = 0; round < kRounds; ++round) {
    files = folders = 0;
    bare = Better(round, bare, Measured([&] { Enumerate(kTree, files, folders); }));
    // The scan that follows the other one finds the disk still writing its
    // trace and its memory just given back: the two take turns coming first.
    if (round % 2 == 0) level6 = Better(round, level6, ScanAt(LVL_DEBUG, window));
    level4 = Better(round, level4, ScanAt(LVL_INFO, window));
    if (round % 2 != 0) level6 = Better(round, level6, ScanAt(LVL_DEBUG, window));
  }
  std::printf("tree: %ld files in %ld folders below %s\n", files, folders, kTree);
  std::printf("bare enumeration: %.0f ms (processor %.0f ms)\n", bare.Wall, bare.Cpu);
  std::printf("scan at level 6: %.0f ms (processor %.0f ms), %u objects\n", level6.Wall,
              level6.Cpu, static_cast<unsigned>(FoundList.Window().size()));
  std::printf("scan at level 4: %.0f ms (processor %.0f ms)\n", level4.Wall, level4.Cpu);
  std::printf("one trace line at level 6: %.1f us\n", TraceLineMicroseconds());

  FoundList.Window().clear();
  FoundList.Window().shrink_to_fit();
  DrainMessages();
  const long long before = gHeapBytes;
  ScanAt(LVL_INFO, window);
  const long long held = gHeapBytes - before;
  const double perObject = static_cast<double>(held) / static_cast<double>(FoundList.Window().size());
  std::printf("found list: %lld bytes for %u objects\n", held,
              static_cast<unsigned>(FoundList.Window().size()));
  const double perObject32 = BytesPerObject32();

  std::printf("processor time scan/bare at level 6: %.2f, at level 4: %.2f\n",
              level6.Cpu / bare.Cpu, level4.Cpu / bare.Cpu);
  std::printf("scan/bare ratio at level 6: %.2f (target 1.15), at level 4: %.2f (target 1.05)\n",
              level6.Wall / bare.Wall, level4.Wall / bare.Wall);
  std::printf("bytes per object: %.0f in this 64-bit build (target 120), %.0f computed for the "
              "32-bit build (target 80)\n",
              perObject, perObject32);
  FoundList.Window().clear();
  ::DestroyWindow(window);
  UnloadMiscLibrary(module);
  return 0;
}
