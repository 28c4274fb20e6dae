// The scan options page's folder list with its Add and Remove buttons, and
// the list of the built-in junk extensions behind the "show list" link.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "base/uPathText.h"
#include "engine/uDefineFiles.h"
#include "ui/uCaptionKeys.h"
#include "ui/uMain.h"
#include "ui/uPanel.h"

namespace qlm {

namespace {
constexpr UINT_PTR kFolderListSubclass = 1;
constexpr char kExtensionsFile[] = "defines\\extensions.def";

// The list box tells of a click only when it changes the selection; the
// window also hears the clicks beside the items, after the list has taken
// them.
LRESULT CALLBACK FolderListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR, DWORD_PTR form) {
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(list, &FolderListProc, kFolderListSubclass);
  const LRESULT result = ::DefSubclassProc(list, message, wParam, lParam);
  if (message == WM_LBUTTONDOWN) {
    reinterpret_cast<TFormMain*>(form)->lbxFoldersClick({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  }
  return result;
}
}  // namespace

void TFormMain::WatchFolderList() {
  ::SetWindowSubclass(Control("lbxFolders"), &FolderListProc, kFolderListSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
}

void TFormMain::lbxFoldersClick(POINT point) {
  HWND list = Control("lbxFolders");
  const LRESULT hit = ::SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  const bool onItem = HIWORD(hit) == 0 && ::SendMessageA(list, LB_GETCOUNT, 0, 0) > 0;
  ::SendMessageA(list, LB_SETCURSEL, onItem ? LOWORD(hit) : static_cast<WPARAM>(-1), 0);
  ::EnableWindow(Control("bbRemove"), onItem ? TRUE : FALSE);
}

// The keyboard selects too; the Remove button follows the selection.
void TFormMain::lbxFoldersChange() {
  const LRESULT selected = ::SendMessageA(Control("lbxFolders"), LB_GETCURSEL, 0, 0);
  ::EnableWindow(Control("bbRemove"), selected != LB_ERR ? TRUE : FALSE);
}

void TFormMain::bbAddClick() {
  const TFolderChoice choice = fShell.ChooseFolder(fHandle, Text(KEY_ADD_FOLDERS_DIALOG));
  if (choice.Result == TFolderChoice::Unreadable) {
    ShowError(Text(KEY_FOLDER_NAME_ERROR));
    return;
  }
  if (choice.Result != TFolderChoice::Chosen) return;
  const std::string folder = WithBackslash(choice.Folder);
  ::SendMessageA(Control("lbxFolders"), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
  CoreOptionEdited();
}

void TFormMain::bbRemoveClick() {
  HWND list = Control("lbxFolders");
  const LRESULT selected = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (selected != LB_ERR) ::SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  // The button that had the focus is disabled: the list takes it.
  if (::GetFocus() == Control("bbRemove")) ::SetFocus(list);
  ::EnableWindow(Control("bbRemove"), FALSE);
  CoreOptionEdited();
}

void TFormMain::lbShowClick() {
  std::vector<std::string> lines;
  try {
    lines = LoadDefineLines(FAppFolder + kExtensionsFile);
  } catch (const EDefineFileError& e) {
    ShowError(e.what());
    return;
  }
  HWND list = Control("lbxDefExts");
  ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  // The first line is the file's version.
  for (std::size_t index = 1; index < lines.size(); ++index) {
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lines[index].c_str()));
  }
  ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  const bool shown = (::GetWindowLongA(list, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown && ::GetFocus() == list) ::SetFocus(Control("lbShow"));
  ::ShowWindow(list, shown ? SW_HIDE : SW_SHOW);
  if (shown) return;
  ::InvalidateRect(list, nullptr, TRUE);
  if (TPanel* area = TPanel::From(Control("sbScanOptions"))) area->ScrollIntoView(list);
}

}  // namespace qlm
