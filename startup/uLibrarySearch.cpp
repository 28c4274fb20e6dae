#include "startup/uLibrarySearch.h"

#include <windows.h>

#include "base/uExecutable.h"
#include "base/uPathText.h"

namespace qlm {

std::string ProgramLibraryPath(const std::string& libraryFile) {
  if (!FolderOf(libraryFile).empty()) return libraryFile;
  const std::string folder = ExecutableFolder();
  return folder.empty() ? std::string() : folder + libraryFile;
}

bool RestrictLibrarySearch() {
  // Looked up, since only newer systems (or XP SP1 for the second) have them.
  const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return false;
  using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<TSetDefaultDllDirectories>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault != nullptr &&
      setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR)) {
    return true;
  }
  using TSetDllDirectory = BOOL(WINAPI*)(LPCSTR);
  const auto setDirectory = reinterpret_cast<TSetDllDirectory>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDllDirectoryA")));
  // An empty text takes the current folder out of the search.
  return setDirectory != nullptr && setDirectory("");
}

}  // namespace qlm
