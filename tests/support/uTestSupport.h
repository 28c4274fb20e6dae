// What every test program shares: temporary folders, file contents, the
// build's program folder and the driving of a started program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/uFileSystem.h"
#include "base/uHandles.h"

using namespace qlm;

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
  // Takes over an existing folder (with trailing backslash) instead.
  struct TTakeOver {};
  TTempFolder(TTakeOver, const std::string& folder);
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

// True for a junction or a folder link, and for any other reparse point.
bool IsLinkOnDisk(const std::string& path);

// Makes link a junction to target (an existing folder); false when this
// system cannot.
bool MakeJunction(const std::string& link, const std::string& target);

// A tree for the tests of links out of a tree: Root() holds the folder
// "outside\" and, at each of the given paths below Root(), a link to it.
// Where the system makes junctions they are made in a fresh temporary
// folder. Wine makes none, but shows a host symbolic link inside its C:
// drive as a reparse point: there the tree is the one the test run prepared
// on the host at C:\qlm-links\<name>\ (tests/support/qlm_links.sh),
// emptied here of all but its links. No Windows call removes such a link,
// so it stays, and so do the folders that hold it.
class TLinkTree {
 public:
  TLinkTree(const std::string& name, const std::vector<std::string>& links);
  // False when the system makes no junctions and no prepared tree is there.
  bool Made() const { return !fRoot.empty(); }
  // Junctions go with the rest of a tree; the prepared links stay.
  bool Junctions() const { return fTemp != nullptr; }
  // With trailing backslashes.
  const std::string& Root() const { return fRoot; }
  std::string Outside() const { return fRoot + "outside\\"; }

 private:
  std::unique_ptr<TTempFolder> fTemp;
  std::string fRoot;
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
