// A user's scan and clean on the real program, driven from this test
// program through window messages only: the junk of a fixture tree is
// found, shown, removed, and nothing else is touched; the final panel and
// the settings file hold the same figures.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/uExecutable.h"
#include "base/uFileSystem.h"
#include "base/uHandles.h"
#include "base/uText.h"
#include "settings/uConfig.h"
#include "startup/uLanguage.h"
#include "tests/support/uInstalledProgram.h"
#include "tests/support/uTestSupport.h"
#include "tests/support/uWindowDriver.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"

using namespace qlm;

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kOperationTimeoutMs = 60000;
constexpr char kSettingsCopy[] = "e2e_journey.xml";

// The Windows folder with a trailing backslash.
std::string WindowsFolder() {
  char folder[MAX_PATH] = {};
  const UINT length = ::GetWindowsDirectoryA(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(folder, length) + "\\" : "C:\\windows\\";
}

struct TFileOnDisk {
  std::string Path;
  std::int64_t Size;
};

// Every plain file below a folder, at any depth.
void ListTree(const std::string& folder, std::vector<TFileOnDisk>& files) {
  WIN32_FIND_DATAA entry;
  HANDLE search = ::FindFirstFileA((folder + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ListTree(folder + name + "\\", files);
    } else {
      files.push_back({folder + name, (static_cast<std::int64_t>(entry.nFileSizeHigh) << 32) |
                                          entry.nFileSizeLow});
    }
  } while (::FindNextFileA(search, &entry));
  ::FindClose(search);
}

// A file last used `ageDays` days ago.
void Plant(const std::string& path, std::size_t size, int ageDays = 0) {
  const std::size_t folder = path.find_last_of('\\');
  ASSERT_TRUE(ForceFolders(path.substr(0, folder + 1)));
  WriteFileBytes(path, std::string(size, 'q'));
  if (ageDays == 0) return;
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER then{};
  then.LowPart = now.dwLowDateTime;
  then.HighPart = now.dwHighDateTime;
  then.QuadPart -= static_cast<ULONGLONG>(ageDays) * 24 * 3600 * 10000000ULL;
  const FILETIME old{then.LowPart, then.HighPart};
  THandle file(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                             nullptr));
  ASSERT_TRUE(file.Valid());
  ASSERT_TRUE(::SetFileTime(file.Get(), &old, &old, &old));
}

// The process's temporary folder for the programs it starts, for a while.
class TTempOverride {
 public:
  explicit TTempOverride(const std::string& folder) {
    for (const char* name : {"TMP", "TEMP"}) {
      char value[MAX_PATH] = {};
      const DWORD length = ::GetEnvironmentVariableA(name, value, MAX_PATH);
      fSaved.push_back(length > 0 && length < MAX_PATH ? value : "");
      ::SetEnvironmentVariableA(name, folder.c_str());
    }
  }
  ~TTempOverride() {
    ::SetEnvironmentVariableA("TMP", fSaved[0].empty() ? nullptr : fSaved[0].c_str());
    ::SetEnvironmentVariableA("TEMP", fSaved[1].empty() ? nullptr : fSaved[1].c_str());
  }

 private:
  std::vector<std::string> fSaved;
};

// Writes the program's settings: only the given categories are searched.
void WriteSettings(const TInstalledProgram& program,
                   const std::function<void(TOptions&)>& choose) {
  // A fresh settings file: its defaults, then the test's choice.
  ::DeleteFileA((ExecutableFolder() + kSettingsCopy).c_str());
  TConfig config(kSettingsCopy);
  config.Load();
  config.Options.Core = TCoreOptions{};
  config.Options.SelFoundObjs = true;
  config.Options.MoveRemInRB = false;
  choose(config.Options);
  config.Save();
  ASSERT_TRUE(::CopyFileA((ExecutableFolder() + kSettingsCopy).c_str(),
                          (program.Folder() + SETTINGS_FILE).c_str(), FALSE));
}

TOptions ReadSettings(const TInstalledProgram& program) {
  EXPECT_TRUE(::CopyFileA((program.Folder() + SETTINGS_FILE).c_str(),
                          (ExecutableFolder() + kSettingsCopy).c_str(), FALSE));
  TConfig config(kSettingsCopy);
  config.Load();
  return config.Options;
}

// The program's main window once it shows; nullptr when it does not start.
HWND WindowOf(TProgramRun& run) {
  return run.Started() ? run.WaitForWindow(APPLICATION_TITLE, kWindowTimeoutMs) : nullptr;
}

void Press(HWND window, int id) { ::SendMessageA(ControlOf(window, id), BM_CLICK, 0, 0); }

// The operation has ended when the Scan button is usable again.
bool WaitForOperationEnd(HWND window) {
  return WaitUntil([&] { return ::IsWindowEnabled(ControlOf(window, ID_bbScan)) != FALSE; },
                   kOperationTimeoutMs);
}

// The program's trace as written so far; empty before it exists.
std::string TraceSoFar(const TInstalledProgram& program) {
  const auto traces = ListFiles(program.Traces(), "*.txt");
  return traces.size() == 1 ? ReadFileBytes(program.Traces() + traces[0]) : std::string();
}

void ExpectTraceClosed(const TInstalledProgram& program) {
  const auto traces = ListFiles(program.Traces(), "*.txt");
  ASSERT_EQ(traces.size(), 1u);
  const std::string trace = ReadFileBytes(program.Traces() + traces[0]);
  const auto lines = SplitLines(trace);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_NE(trace.find("] Freeing core thread..."), std::string::npos);
  EXPECT_EQ(trace.find("WAIT_TIMEOUT"), std::string::npos);
  EXPECT_EQ(lines[lines.size() - 2].rfind("LOG End: ", 0), 0u);
  EXPECT_EQ(lines.back(), std::string(80, '\xBB'));
}

}  // namespace

TEST(ScanCleanJourney, TheJunkFoundIsExactlyTheJunkRemoved) {
  TInstalledProgram program(ProgramFolder());
  TTempFolder userTemp;
  TTempFolder windowsTemp(WindowsFolder() + "Temp\\");
  TTempFolder junk;
  TTempFolder documents;
  // A user's temporary file is junk once it has not been used for a day.
  Plant(userTemp.Path() + "setup.tmp", 1200, 3);
  Plant(userTemp.Path() + "cache\\part.dat", 3000, 2);
  Plant(userTemp.Path() + "empty.log", 0, 9);
  Plant(userTemp.Path() + "in-use.tmp", 400);
  Plant(windowsTemp.Path() + "install.tmp", 700);
  Plant(windowsTemp.Path() + "trace.etl", 64);
  Plant(junk.Path() + "old.chk", 512);
  Plant(junk.Path() + "copy.tmp", 100);
  // Not junk: a file of another kind in a searched folder, and junk names
  // in a folder that nobody asked to search.
  Plant(junk.Path() + "letter.txt", 900);
  Plant(documents.Path() + "draft.tmp", 800);

  WriteSettings(program, [&](TOptions& options) {
    options.Core.Temp = true;
    options.Core.WinTemp = true;
    options.Core.System.SelFolders = true;
    options.Core.System.AddFolders = junk.Path();
    options.Core.System.AddExts = "*.tmp|*.chk";
  });
  // What the program must find: the user's old temporary files, everything
  // in the Windows one (which may hold files of others too) and the two
  // junk files.
  std::vector<TFileOnDisk> expected = {{userTemp.Path() + "setup.tmp", 1200},
                                       {userTemp.Path() + "cache\\part.dat", 3000},
                                       {userTemp.Path() + "empty.log", 0},
                                       {junk.Path() + "old.chk", 512},
                                       {junk.Path() + "copy.tmp", 100}};
  ListTree(WindowsFolder() + "Temp\\", expected);
  std::int64_t expectedSize = 0;
  for (const TFileOnDisk& file : expected) expectedSize += file.Size;

  TTempOverride temp(userTemp.Path());
  TProgramRun run(program.Executable());
  HWND window = WindowOf(run);
  ASSERT_NE(window, nullptr);

  Press(window, ID_bbScan);
  ASSERT_TRUE(WaitForOperationEnd(window));
  EXPECT_TRUE(::IsWindowVisible(ControlOf(window, ID_pRunning)));
  EXPECT_EQ(TextOf(ControlOf(window, ID_vScanObjFound)), std::to_string(expected.size()));
  const std::string foundSize = TextOf(ControlOf(window, ID_vSCanObjSize));
  EXPECT_FALSE(foundSize.empty());

  Press(window, ID_bbNext);
  ASSERT_TRUE(::IsWindowVisible(ControlOf(window, ID_vtReport)));
  Press(window, ID_bbClean);
  ASSERT_TRUE(WaitForOperationEnd(window));
  EXPECT_EQ(TextOf(ControlOf(window, ID_vScanObjFound)), "0");

  for (const TFileOnDisk& file : expected) EXPECT_FALSE(PathExists(file.Path)) << file.Path;
  EXPECT_TRUE(IsExistingFile(userTemp.Path() + "in-use.tmp"));
  EXPECT_TRUE(IsExistingFile(junk.Path() + "letter.txt"));
  EXPECT_TRUE(IsExistingFile(documents.Path() + "draft.tmp"));
  EXPECT_TRUE(IsExistingFile(program.Executable()));

  Press(window, ID_bbNext);
  ASSERT_TRUE(::IsWindowVisible(ControlOf(window, ID_gbFinalStatus)));
  EXPECT_EQ(TextOf(ControlOf(window, ID_lbObjsFoundVal)), std::to_string(expected.size()));
  EXPECT_EQ(TextOf(ControlOf(window, ID_lbObjsFoundSizeVal)), foundSize);
  EXPECT_EQ(TextOf(ControlOf(window, ID_lbObjsRemVal)), std::to_string(expected.size()));
  EXPECT_EQ(TextOf(ControlOf(window, ID_lbObjsRemSizeVal)), foundSize);

  ASSERT_TRUE(::PostMessageA(window, WM_CLOSE, 0, 0));
  ASSERT_EQ(run.WaitForExit(kWindowTimeoutMs), 0);
  const TOptions saved = ReadSettings(program);
  EXPECT_EQ(saved.ObjsFound, static_cast<std::int64_t>(expected.size()));
  EXPECT_EQ(saved.ObjsRem, static_cast<std::int64_t>(expected.size()));
  EXPECT_EQ(saved.SizeRem, expectedSize);
  EXPECT_NE(saved.OperTime, 0);
  ExpectTraceClosed(program);
}

// The edit of the save dialog's name field, at whatever depth the dialog
// nests it (a combo box in newer dialogs, an edit in older ones).
HWND NameField(HWND dialog) {
  struct TSearch {
    HWND Found = nullptr;
  } search;
  ::EnumChildWindows(
      dialog,
      [](HWND child, LPARAM data) -> BOOL {
        char className[16] = {};
        ::GetClassNameA(child, className, sizeof className);
        const int id = ::GetDlgCtrlID(child);
        if (lstrcmpiA(className, "Edit") != 0 || (id != 1148 && id != 1152)) return TRUE;
        reinterpret_cast<TSearch*>(data)->Found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// The save dialog of the program: the file name typed in, then Save.
bool SaveThroughTheDialog(const std::string& path) {
  HWND dialog = WaitForVisibleClass("#32770", kWindowTimeoutMs);
  HWND name = dialog != nullptr ? NameField(dialog) : nullptr;
  if (name == nullptr) return false;
  ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  return true;
}

// A user unticks the largest object with the keyboard, saves the list, and
// the clean leaves exactly that object.
TEST(ScanCleanJourney, WhatTheUserUnticksStaysAndTheSavedListShowsIt) {
  TInstalledProgram program(ProgramFolder());
  TTempFolder junk;
  TTempFolder saved;
  const std::vector<TFileOnDisk> files = {{junk.Path() + "a.tmp", 400},
                                          {junk.Path() + "b.tmp", 300},
                                          {junk.Path() + "c.tmp", 200}};
  for (const TFileOnDisk& file : files) Plant(file.Path, static_cast<std::size_t>(file.Size));
  WriteSettings(program, [&](TOptions& options) {
    options.Core.System.SelFolders = true;
    options.Core.System.AddFolders = junk.Path();
    options.Core.System.AddExts = "*.tmp";
    options.HidePath = true;
  });
  TProgramRun run(program.Executable());
  HWND window = WindowOf(run);
  ASSERT_NE(window, nullptr);
  Press(window, ID_bbScan);
  ASSERT_TRUE(WaitForOperationEnd(window));
  Press(window, ID_bbNext);
  HWND report = ControlOf(window, ID_vtReport);
  ASSERT_TRUE(::IsWindowVisible(report));
  // The category, opened; its first object (the largest), unticked.
  for (const WPARAM key : {VK_HOME, VK_RIGHT, VK_RIGHT, VK_SPACE}) {
    ::SendMessageA(report, WM_KEYDOWN, key, 0);
  }

  const std::string list = saved.Path() + "report.txt";
  ASSERT_TRUE(::PostMessageA(window, WM_COMMAND, ID_pmSaveList, 0));
  ASSERT_TRUE(SaveThroughTheDialog(list));
  ASSERT_TRUE(WaitUntil([&] { return IsExistingFile(list); }, kWindowTimeoutMs));
  std::string expected = "[System Junk files, objects 3, size 900]\r\n";
  for (const TFileOnDisk& file : files) {
    expected += "    " + file.Path + ", type 7, count 1, size " + std::to_string(file.Size) + "\r\n";
  }
  // The program keeps the paths as its folder keys spell them.
  EXPECT_EQ(LowerText(ReadFileBytes(list)), LowerText(expected));

  Press(window, ID_bbClean);
  ASSERT_TRUE(WaitForOperationEnd(window));
  EXPECT_TRUE(IsExistingFile(files[0].Path)) << "unticked";
  EXPECT_FALSE(PathExists(files[1].Path));
  EXPECT_FALSE(PathExists(files[2].Path));
  ASSERT_TRUE(::PostMessageA(window, WM_CLOSE, 0, 0));
  ASSERT_EQ(run.WaitForExit(kWindowTimeoutMs), 0);
}

TEST(ScanCleanJourney, ClosingDuringAScanEndsTheProgramCleanly) {
  TInstalledProgram program(ProgramFolder());
  // A search of the whole system drive lasts long enough to be
  // interrupted; a scan removes nothing.
  WriteSettings(program, [](TOptions& options) {
    options.Core.System.SelFolders = true;
    options.Core.System.AddFolders = WindowsFolder().substr(0, 3);
    options.Core.System.AddExts = "*.tmp";
  });
  TProgramRun run(program.Executable());
  HWND window = WindowOf(run);
  ASSERT_NE(window, nullptr);
  Press(window, ID_bbScan);
  EXPECT_FALSE(::IsWindowEnabled(ControlOf(window, ID_bbScan))) << "the scan runs";
  // The engine's thread has taken the scan (a close before that ends the
  // thread before it ever starts the scan, which leaves nothing to stop).
  ASSERT_TRUE(WaitUntil(
      [&] { return TraceSoFar(program).find("] 1. Init engine") != std::string::npos; },
      kWindowTimeoutMs));
  ASSERT_TRUE(::PostMessageA(window, WM_CLOSE, 0, 0));
  ASSERT_EQ(run.WaitForExit(kWindowTimeoutMs), 0);
  EXPECT_EQ(ReadSettings(program).OperTime, 0) << "a scan end never saves";
  ExpectTraceClosed(program);
  const auto traces = ListFiles(program.Traces(), "*.txt");
  ASSERT_FALSE(traces.empty());
  const std::string trace = ReadFileBytes(program.Traces() + traces[0]);
  EXPECT_EQ(trace.find("] Scan end..."), std::string::npos)
      << "the window closed before the scan's end reached it";
  EXPECT_NE(trace.find("] Posting scan end..."), std::string::npos) << "the engine was stopped";
}

// Options chosen in the window decide the next scan: a category ticked and
// saved on the scan options page, and a main option whose unsaved edit the
// program asks about when the user starts a scan from its page.
TEST(ScanCleanJourney, OptionsChosenInTheWindowDecideTheNextScan) {
  TInstalledProgram program(ProgramFolder());
  TTempFolder junk;
  Plant(junk.Path() + "copy.tmp", 100);
  WriteSettings(program, [&](TOptions& options) {
    options.Core.System.AddFolders = junk.Path();
    options.Core.System.AddExts = "*.tmp";
    options.MaxRetention = 0;
  });
  TProgramRun run(program.Executable());
  HWND window = WindowOf(run);
  ASSERT_NE(window, nullptr);

  Press(window, ID_bbSettings);
  ClickAt(ControlOf(window, ID_bbScanOptions));
  ASSERT_TRUE(::IsWindowVisible(ControlOf(window, ID_pScanOptions)));
  EXPECT_FALSE(::IsWindowEnabled(ControlOf(window, ID_bbcoSave)));
  Press(window, ID_cbAddFolders);
  EXPECT_TRUE(::IsWindowEnabled(ControlOf(window, ID_bbAdd)));
  ASSERT_TRUE(::IsWindowEnabled(ControlOf(window, ID_bbcoSave)));
  Press(window, ID_bbcoSave);
  EXPECT_TRUE(::IsWindowVisible(ControlOf(window, ID_pSettings)));

  ClickAt(ControlOf(window, ID_bbMainOptions));
  ::SendMessageA(ControlOf(window, ID_eRetention), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("4"));
  // The question is modal: the click is posted, and answered from here.
  ASSERT_TRUE(::PostMessageA(ControlOf(window, ID_bbScan), BM_CLICK, 0, 0));
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (question = ::FindWindowA("#32770", APPLICATION_TITLE)) != nullptr; },
      kWindowTimeoutMs));
  ::PostMessageA(question, WM_COMMAND, IDYES, 0);
  // Seen from here the window may show its running page while its Scan
  // button is still usable (the operation is still beginning): the end is
  // the button usable again with this scan's figure.
  HWND found = ControlOf(window, ID_vScanObjFound);
  EXPECT_TRUE(WaitUntil(
      [&] { return ::IsWindowEnabled(ControlOf(window, ID_bbScan)) && TextOf(found) == "1"; },
      kOperationTimeoutMs))
      << "found: " << TextOf(found);

  ASSERT_TRUE(::PostMessageA(window, WM_CLOSE, 0, 0));
  ASSERT_EQ(run.WaitForExit(kWindowTimeoutMs), 0);
  const TOptions saved = ReadSettings(program);
  EXPECT_TRUE(saved.Core.System.SelFolders);
  EXPECT_EQ(saved.MaxRetention, 4);
  EXPECT_TRUE(IsExistingFile(junk.Path() + "copy.tmp")) << "a scan removes nothing";
}
