#include "bench/uBenchSupport.h"

#include <cstdint>
#include <cstdio>

#include "base/uHandles.h"
#include "base/uText.h"
#include "engine/uCore.h"
#include "engine/uProgressQueue.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

using namespace qlm;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  const auto ticks = [](const FILETIME& time) {
    return static_cast<double>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                               time.dwLowDateTime);
  };
  return (ticks(kernel) + ticks(user)) / 10000.0;
}

std::string Numbered(const char* prefix, int number, int digits) {
  char text[64];
  std::snprintf(text, sizeof text, "%s%0*d", prefix, digits, number);
  return text;
}

bool MakeSyntheticTree(const std::string& root, int topFolders, int subFolders,
                       int filesPerFolder) {
  ::CreateDirectoryA(root.c_str(), nullptr);
  for (int top = 0; top < topFolders; ++top) {
    const std::string topFolder = root + Numbered("dir-", top, 2) + "\\";
    ::CreateDirectoryA(topFolder.c_str(), nullptr);
    for (int sub = 0; sub < subFolders; ++sub) {
      const std::string folder = topFolder + Numbered("folder-", sub, 4) + "\\";
      ::CreateDirectoryA(folder.c_str(), nullptr);
      for (int file = 0; file < filesPerFolder; ++file) {
        const std::string path = folder + Numbered("temporary-file-", file, 5) + ".tmp";
        TFileHandle handle(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!handle) return false;
      }
    }
  }
  return true;
}

bool BuildBenchTree() {
  constexpr char kTreeDone[] = "C:\\qlm-bench\\tree.done";
  if (::GetFileAttributesA(kTreeDone) != INVALID_FILE_ATTRIBUTES) return true;
  std::printf("building the tree once (100,000 files)...\n");
  ::CreateDirectoryA(kBenchFolder, nullptr);
  if (!MakeSyntheticTree(kTree, 50, 100, 20)) return false;
  TFileHandle done(::CreateFileA(kTreeDone, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  return done.Valid();
}

bool MakeCleanTree(const std::string& root) { return MakeSyntheticTree(root, 10, 100, 20); }

bool BindMisc(HMODULE& module) {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  folder = folder.substr(0, folder.find_last_of('\\') + 1) + "..\\program\\";
  if (!LoadMiscLibrary(module, folder) || GetIMiscEntry == nullptr) {
    std::printf("misc.dll not found in %s\n", folder.c_str());
    return false;
  }
  Misc = GetIMiscEntry();
  return true;
}

namespace {

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CORE_PROGRESS) {
    DeliverProgress(window);
    return 0;
  }
  if (message >= WM_CORE_SCAN_END && message <= WM_CORE_UPDATE_CLEAN) {
    delete reinterpret_cast<TUpdateItem*>(wParam);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND MakeProgressWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &ProgressProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "QlmBenchProgress";
  ::RegisterClassA(&windowClass);
  return ::CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         windowClass.hInstance, nullptr);
}

void DrainMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

void PrepareScan(TCore& core, TTrace& trace, HWND window, TBenchCollector collect,
                 const TOptions& options) {
  TCoreInit init;
  init.Trace = &trace;
  init.Window = window;
  init.Options = options;
  core.SetInit(init);
  core.Parts().Collectors[9].Run = collect;
  core.SetOpType(OPTYPE_SCAN);
}

TCost MeasuredRun(TCore& core) {
  return Measured([&] {
    FoundList.HandTo(TListSide::Worker);
    core.Run();
  });
}

double TimedRun(TCore& core) { return MeasuredRun(core).Wall; }

double ScanThenTimedClean(HWND window, TBenchCollector collect, const TOptions& options,
                          std::size_t& objects) {
  FoundList.Window().clear();
  TTrace trace(std::string(kBenchFolder) + "bench.exe", LVL_DEBUG, true, "traces", "", 0);
  TCore core;
  PrepareScan(core, trace, window, collect, options);
  FoundList.HandTo(TListSide::Worker);
  core.Run();
  DrainMessages();
  objects = FoundList.Window().size();
  core.SetOpType(OPTYPE_CLEAN);
  const double ms = TimedRun(core);
  DrainMessages();
  ::DeleteFileA(trace.FileName().c_str());
  return ms;
}

void FilesBelow(const std::string& folder, std::vector<std::string>& files) {
  WIN32_FIND_DATAA data;
  TFindHandle find(::FindFirstFileA((folder + "*").c_str(), &data));
  if (!find) return;
  do {
    const std::string name = data.cFileName;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      files.push_back(folder + name);
    } else if (name != "." && name != "..") {
      FilesBelow(folder + name + "\\", files);
    }
  } while (::FindNextFileA(find.Get(), &data));
}

void AddWholeTreeItem(TScanContext& core, const std::string& folder) {
  auto item = std::make_unique<TFolderItem>();
  item->Folder = LowerText(folder);
  item->Path = item->Folder;
  item->SubFolders = true;
  item->Nested = true;
  item->Category = OBJTYPE_CUSTOM;
  item->IncludeMasks = SplitDelimited("*", '|');
  core.Folders().push_back(std::move(item));
}
