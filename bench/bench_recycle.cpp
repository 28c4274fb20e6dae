// The clean to the Recycle Bin against one shell operation over as many
// files: a scan finds 20,000 files of a synthetic tree (untimed), the
// engine's clean moves them to the Recycle Bin at trace level 6 (timed), and
// one shell operation moves a twin tree's 20,000 files, named in one
// double-zero-terminated list (timed). The Recycle Bin is emptied between
// measurements. Once, the clean is also timed with one shell operation per
// file, as a services library without lists makes it.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/uBenchSupport.h"
#include "engine/uCore.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

using namespace qlm;

namespace {

constexpr char kEngineTree[] = "C:\\qlm-bench\\recycle-engine\\";
constexpr char kBareTree[] = "C:\\qlm-bench\\recycle-bare\\";
constexpr int kRounds = 4;

double BareRecycle() {
  std::vector<std::string> files;
  FilesBelow(kBareTree, files);
  std::string names;
  for (const std::string& file : files) {
    names += file;
    names.push_back('\0');
  }
  names.push_back('\0');
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = names.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return Timed([&] { ::SHFileOperationA(&operation); });
}

void CollectEngineTree(TScanContext& core) { AddWholeTreeItem(core, kEngineTree); }

// Scans the engine's tree (untimed), then cleans what it found to the
// Recycle Bin; `left` is what stayed in the found list.
double EngineRecycle(HWND window, std::size_t& objects, std::size_t& left) {
  TOptions options;
  options.SelFoundObjs = true;
  options.MoveRemInRB = true;
  const double ms = ScanThenTimedClean(window, &CollectEngineTree, options, objects);
  left = 0;
  for (const auto& rec : FoundList.Window()) left += rec != nullptr;
  return ms;
}

void EmptyBin() { Misc->EmptyRecycleBin(FALSE, FALSE, TRUE); }

}  // namespace

int main() {
  HMODULE module = nullptr;
  if (!BindMisc(module)) return 1;
  ::CreateDirectoryA(kBenchFolder, nullptr);
  const HWND window = MakeProgressWindow();
  double engine = 0, bare = 0;
  std::size_t objects = 0, left = 0;
  for (int round = 0; round < kRounds; ++round) {
    std::printf("round %d: building two trees of 20,000 files...\n", round + 1);
    if (!MakeCleanTree(kEngineTree) || !MakeCleanTree(kBareTree)) {
      std::printf("the trees could not be built below %s\n", kBenchFolder);
      return 1;
    }
    EmptyBin();
    // The two take turns coming first, so that a busy machine, and the
    // trash's own state after the other's files, weigh on both alike.
    if (round % 2 == 0) {
      bare = Better(round, bare, BareRecycle());
      EmptyBin();
    }
    engine = Better(round, engine, EngineRecycle(window, objects, left));
    EmptyBin();
    if (round % 2 != 0) {
      bare = Better(round, bare, BareRecycle());
      EmptyBin();
    }
  }

  std::printf("once more, with one shell operation per file...\n");
  const IMisc* library = Misc;
  IMisc single = *Misc;
  single.RecycleFiles = nullptr;
  Misc = &single;
  std::size_t singleObjects = 0, singleLeft = 0;
  double one = 0;
  if (MakeCleanTree(kEngineTree)) one = EngineRecycle(window, singleObjects, singleLeft);
  Misc = library;
  EmptyBin();

  std::printf("one shell operation over 20,000 files: %.0f ms\n", bare);
  std::printf("clean to the Recycle Bin at level 6: %.0f ms for %u objects, %u left\n", engine,
              static_cast<unsigned>(objects), static_cast<unsigned>(left));
  std::printf("clean with one shell operation per file: %.0f ms for %u objects, %u left\n", one,
              static_cast<unsigned>(singleObjects), static_cast<unsigned>(singleLeft));
  std::printf("recycle clean/one batched shell call: %.2f (target 1.2); one call per file: %.2f\n",
              engine / bare, one / bare);
  FoundList.Window().clear();
  ::DestroyWindow(window);
  UnloadMiscLibrary(module);
  return 0;
}
