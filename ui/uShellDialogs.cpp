#include "ui/uShellDialogs.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

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
struct TItemList {
  LPITEMIDLIST Items = nullptr;
  TItemList() = default;
  TItemList(const TItemList&) = delete;
  TItemList& operator=(const TItemList&) = delete;
  ~TItemList() { ::CoTaskMemFree(Items); }
};

// The chooser needs COM on this thread; a thread that has it keeps it.
class TComScope {
 public:
  TComScope() : fOwn(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~TComScope() {
    if (fOwn) ::CoUninitialize();
  }
  TComScope(const TComScope&) = delete;
  TComScope& operator=(const TComScope&) = delete;

 private:
  bool fOwn;
};

TFolderChoice ChooseFolder(HWND owner, const std::string& caption) {
  TComScope com;
  TItemList root;
  if (FAILED(::SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &root.Items))) root.Items = nullptr;
  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.pidlRoot = root.Items;
  const std::wstring title = AnsiToWide(caption);
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  TItemList chosen;
  chosen.Items = ::SHBrowseForFolderW(&browse);
  if (chosen.Items == nullptr) return {};
  // Read wide and narrowed exactly: the ANSI call would hand back a name
  // with '?' in place of what the code page lacks.
  wchar_t path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListW(chosen.Items, path)) return {TFolderChoice::Unreadable, {}};
  const std::optional<std::string> folder = WideToAnsi(path, static_cast<int>(wcslen(path)));
  if (!folder || folder->empty()) return {TFolderChoice::Unreadable, {}};
  return {TFolderChoice::Chosen, *folder};
}
}  // namespace

TShellDialogs DefaultShellDialogs() { return {&RunSaveDialog, &Explore, &ChooseFolder}; }

}  // namespace qlm
