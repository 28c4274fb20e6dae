// What the main window asks of the shell: the save dialog, "explore" on a
// folder and the folder chooser. Tests put their own in place.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <string>

namespace qlm {

// The folder chooser's answer. A folder whose name the system code page
// cannot hold exactly is Unreadable: no program may act on a name it could
// not read.
struct TFolderChoice {
  enum TResult { Cancelled, Chosen, Unreadable } Result = Cancelled;
  std::string Folder;
};

struct TShellDialogs {
  std::function<bool(OPENFILENAMEA&)> SaveDialog;
  std::function<bool(HWND owner, const std::string& folder)> Explore;
  // The toolkit's folder chooser over the file system's folders, starting
  // at the computer level (the drives), with the caption given.
  std::function<TFolderChoice(HWND owner, const std::string& caption)> ChooseFolder;
};

TShellDialogs DefaultShellDialogs();

}  // namespace qlm
