// One download of the update site on a thread of its own.
#pragma once

#include <windows.h>

#include <string>

namespace qlm {

// Posted to the update window when a download ends: WParam 1 after success,
// 0 after failure; LParam 0.
inline constexpr UINT WM_UPDATE_DOWNLOADED = WM_USER + 7;

// Fetches base address + file name into local folder + file name, replacing
// the local file, and then its signature (file name + ".sig") beside it; the
// download succeeds when the file arrived, a missing signature being left to
// the check that comes before any use. The object lives on its thread:
// it posts its message and frees itself, so the window never touches it
// after the start.
class TDownloader {
 public:
  // Starts the download; false when no thread could be made (nothing is
  // posted then).
  static bool Start(HWND window, const std::string& fileName, const std::string& baseAddress,
                    const std::string& localFolder, bool isList);

  TDownloader(const TDownloader&) = delete;
  TDownloader& operator=(const TDownloader&) = delete;

 private:
  TDownloader(HWND window, std::string fileName, std::string baseAddress,
              std::string localFolder, bool isList);
  static DWORD WINAPI ThreadProc(void* parameter);
  bool Execute() const;

  HWND fWindow;
  std::string fFileName;
  std::string fBaseAddress;
  std::string fLocalFolder;
  bool fIsList;
};

}  // namespace qlm
