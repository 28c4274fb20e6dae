#include "update/uDownloader.h"

#include <urlmon.h>
#include <wininet.h>

#include <memory>

#include "startup/uHandles.h"
#include "startup/uTrace.h"

TDownloader::TDownloader(HWND window, std::string fileName, std::string baseAddress,
                         std::string localFolder, bool isList)
    : fWindow(window),
      fFileName(std::move(fileName)),
      fBaseAddress(std::move(baseAddress)),
      fLocalFolder(std::move(localFolder)),
      fIsList(isList) {}

bool TDownloader::Start(HWND window, const std::string& fileName, const std::string& baseAddress,
                        const std::string& localFolder, bool isList) {
  std::unique_ptr<TDownloader> downloader(
      new TDownloader(window, fileName, baseAddress, localFolder, isList));
  DWORD threadId = 0;
  THandle thread(::CreateThread(nullptr, 0, &TDownloader::ThreadProc, downloader.get(),
                                CREATE_SUSPENDED, &threadId));
  if (!thread) {
    Log(LVL_ERROR, "Update: cannot start the download of " + fileName);
    return false;
  }
  downloader.release();
  ::ResumeThread(thread.Get());
  return true;
}

DWORD WINAPI TDownloader::ThreadProc(void* parameter) {
  std::unique_ptr<TDownloader> self(static_cast<TDownloader*>(parameter));
  const bool ok = self->Execute();
  if (!::PostMessageA(self->fWindow, WM_UPDATE_DOWNLOADED, ok ? 1 : 0, 0)) {
    Log(LVL_ERROR, "Update: the end of the download of " + self->fFileName + " was not posted");
  }
  return 0;
}

bool TDownloader::Execute() const {
  const std::string address = fBaseAddress + fFileName;
  const std::string local = fLocalFolder + fFileName;
  Log(LVL_INFO, std::string("Update: download ") + (fIsList ? "list " : "file ") + address);
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // A copy in the internet cache would hide a newer file on the site.
  ::DeleteUrlCacheEntryA(address.c_str());
  const HRESULT result = ::URLDownloadToFileA(nullptr, address.c_str(), local.c_str(), 0, nullptr);
  if (SUCCEEDED(com)) ::CoUninitialize();
  if (FAILED(result)) {
    Log(LVL_ERROR, "Update: download failed (" + std::to_string(static_cast<unsigned long>(result)) +
                       "): " + address);
    return false;
  }
  return true;
}
