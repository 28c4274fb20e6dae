// What every test program shares: temporary folders, file contents, the
// build's program folder and the driving of a started program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/uFileSystem.h"
#include "base/uHandles.h"

// The build's program folder, the test program's own folder and a fixture's
// folder, with trailing backslash.
std::string ProgramFolder();
std::string TestFolder();
std::string FixtureFolder(const std::string& name);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Names (no folder) of the plain files matching mask in folder, sorted.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask);
// Splits at CR LF; a final CR LF gives no empty last line.
std::vector<std::string> SplitLines(const std::string& text);

// A fresh folder below the user's temporary folder, removed with everything
// in it when the object ends.
class TTempFolder {
 public:
  TTempFolder();
  // A fresh folder below `parent` (with trailing backslash) instead.
  explicit TTempFolder(const std::string& parent);
  // The folder's own name, without path.
  std::string Name() const;
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  // With a trailing backslash.
  const std::string& Path() const { return fPath; }

 private:
  std::string fPath;
};

// A program started for a test; it is ended when the object ends.
class TProgramRun {
 public:
  // The process starts in `currentFolder`, or in the executable's folder
  // when that is empty.
  TProgramRun(const std::string& executable, const std::string& arguments = "",
              const std::string& currentFolder = "");
  ~TProgramRun();
  TProgramRun(const TProgramRun&) = delete;
  TProgramRun& operator=(const TProgramRun&) = delete;

  bool Started() const { return fProcess.Valid(); }
  // The first visible top-level window of the process with this caption
  // (any caption when empty), or null when none showed in time.
  HWND WaitForWindow(const std::string& caption, DWORD timeoutMs) const;
  // The process's exit code, or -1 when it did not end in time.
  long WaitForExit(DWORD timeoutMs);
  DWORD ProcessId() const { return fProcessId; }

 private:
  THandle fProcess;
  DWORD fProcessId = 0;
};

// Every visible top-level window of a process.
std::vector<HWND> VisibleWindowsOf(DWORD processId);
std::string WindowText(HWND window);
