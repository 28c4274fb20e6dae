#include "ui/uShellDialogs.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "base/uHandles.h"
#include "startup/uLocaleText.h"

namespace qlm {

namespace {
bool RunSaveDialog(OPENFILENAMEA& dialog) { return ::GetSaveFileNameA(&dialog) != FALSE; }

bool Explore(HWND owner, const std::string& folder) {
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteA(owner, "explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

// The shell's item lists are freed with the task allocator.
struct TItemListTraits {
  static LPITEMIDLIST None() noexcept { return nullptr; }
  static void Close(LPITEMIDLIST list) noexcept { ::CoTaskMemFree(list); }
};
using TItemList = TOwned<LPITEMIDLIST, TItemListTraits>;

TFolderChoice ChooseFolder(HWND owner, const std::string& caption) {
  // The chooser needs COM on this thread; a thread that has it keeps it.
  const TComInit com;
  LPITEMIDLIST drives = nullptr;
  const TItemList root(
      SUCCEEDED(::SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &drives)) ? drives : nullptr);
  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.pidlRoot = root.Get();
  const std::wstring title = AnsiToWide(caption);
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  const TItemList chosen(::SHBrowseForFolderW(&browse));
  if (!chosen) return {};
  // Read wide and narrowed exactly: the ANSI call would hand back a name
  // with '?' in place of what the code page lacks.
  wchar_t path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListW(chosen.Get(), path)) return {TFolderChoice::Unreadable, {}};
  const std::optional<std::string> folder = WideToAnsi(path, static_cast<int>(wcslen(path)));
  if (!folder || folder->empty()) return {TFolderChoice::Unreadable, {}};
  return {TFolderChoice::Chosen, *folder};
}
}  // namespace

TShellDialogs DefaultShellDialogs() { return {&RunSaveDialog, &Explore, &ChooseFolder}; }

}  // namespace qlm
