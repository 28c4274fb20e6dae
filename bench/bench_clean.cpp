// The clean's cost against a bare DeleteFile loop over as many files: a
// scan finds 20,000 files of a synthetic tree (untimed), the engine's clean
// removes them at trace level 6 (timed), and a plain loop deletes a twin
// tree's 20,000 files (timed).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/uBenchSupport.h"
#include "engine/uCore.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

using namespace qlm;

namespace {

constexpr char kEngineTree[] = "C:\\qlm-bench\\clean-engine\\";
constexpr char kBareTree[] = "C:\\qlm-bench\\clean-bare\\";
constexpr int kRounds = 3;

double BareDelete() {
  std::vector<std::string> files;
  FilesBelow(kBareTree, files);
  return Timed([&] {
    for (const std::string& file : files) ::DeleteFileA(file.c_str());
  });
}

void CollectEngineTree(TScanContext& core) { AddWholeTreeItem(core, kEngineTree); }

double EngineClean(HWND window, std::size_t& objects) {
  TOptions options;
  options.SelFoundObjs = true;
  return ScanThenTimedClean(window, &CollectEngineTree, options, objects);
}

MiscBool MISC_CALL DeleteFileSlot(const char* path) { return ::DeleteFileA(path); }

// The library's own removal when it has one; otherwise a plain DeleteFile
// slot stands in, so that the figure is the engine's share.
IMisc gRecord;
bool UseLibraryRemoval() {
  const std::string probe = std::string(kBenchFolder) + "probe.tmp";
  TFileHandle(::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (Misc->RemoveFile(probe.c_str()) &&
      ::GetFileAttributesA(probe.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return true;
  }
  ::DeleteFileA(probe.c_str());
  gRecord = *Misc;
  gRecord.RemoveFile = &DeleteFileSlot;
  Misc = &gRecord;
  return false;
}

}  // namespace

int main() {
  HMODULE module = nullptr;
  if (!BindMisc(module)) return 1;
  ::CreateDirectoryA(kBenchFolder, nullptr);
  const bool library = UseLibraryRemoval();
  const HWND window = MakeProgressWindow();
  double engine = 0, bare = 0;
  std::size_t objects = 0;
  for (int round = 0; round < kRounds; ++round) {
    std::printf("round %d: building two trees of 20,000 files...\n", round + 1);
    if (!MakeCleanTree(kEngineTree) || !MakeCleanTree(kBareTree)) {
      std::printf("the trees could not be built below %s\n", kBenchFolder);
      return 1;
    }
    // Alternating the two keeps a busy machine weighing on both alike.
    bare = Better(round, bare, BareDelete());
    engine = Better(round, engine, EngineClean(window, objects));
  }
  std::printf("removal through %s\n",
              library ? "misc.dll's RemoveFile" : "a plain DeleteFile slot (misc.dll removes nothing yet)");
  std::printf("bare DeleteFile loop: %.0f ms for 20,000 files\n", bare);
  std::printf("clean at level 6: %.0f ms for %u objects, %u left in the found list\n", engine,
              static_cast<unsigned>(objects),
              static_cast<unsigned>(std::count_if(FoundList.Window().begin(), FoundList.Window().end(),
                                                  [](const auto& rec) { return rec != nullptr; })));
  std::printf("clean/bare ratio: %.2f\n", engine / bare);
  FoundList.Window().clear();
  ::DestroyWindow(window);
  if (library) UnloadMiscLibrary(module);
  return 0;
}
