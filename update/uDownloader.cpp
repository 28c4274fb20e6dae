#include "update/uDownloader.h"

#include <urlmon.h>
#include <wininet.h>

#include <memory>

#include "base/uHandles.h"
#include "startup/uTrace.h"
#include "update/uUpdateSignature.h"

namespace qlm {

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

namespace {

// Hears the HTTP status of the download: URLDownloadToFile stores an error
// page (404 and the like) as if it were the file.
class TStatusListener final : public IBindStatusCallback, public IHttpNegotiate {
 public:
  DWORD ResponseCode() const { return fResponseCode; }

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IBindStatusCallback) {
      *object = static_cast<IBindStatusCallback*>(this);
    } else if (iid == IID_IHttpNegotiate) {
      *object = static_cast<IHttpNegotiate*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  // The object lives on the downloading thread's stack for the whole call.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  STDMETHODIMP GetPriority(LONG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnLowResource(DWORD) override { return S_OK; }
  STDMETHODIMP OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  STDMETHODIMP GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
  STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  STDMETHODIMP BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) override {
    if (additional != nullptr) *additional = nullptr;
    return S_OK;
  }
  STDMETHODIMP OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* additional) override {
    fResponseCode = code;
    if (additional != nullptr) *additional = nullptr;
    return S_OK;
  }

 private:
  DWORD fResponseCode = 0;
};

// Downloads one address into one local file; any error, and any answer of
// the site but success, is a failure.
bool DownloadTo(const std::string& address, const std::string& local) {
  // A copy in the internet cache would hide a newer file on the site.
  ::DeleteUrlCacheEntryA(address.c_str());
  TStatusListener listener;
  const HRESULT result =
      ::URLDownloadToFileA(nullptr, address.c_str(), local.c_str(), 0, &listener);
  if (FAILED(result)) {
    Log(LVL_ERROR, "Update: download failed (" + std::to_string(static_cast<unsigned long>(result)) +
                       "): " + address);
    return false;
  }
  if (listener.ResponseCode() >= 400) {
    Log(LVL_ERROR, "Update: the site answered " + std::to_string(listener.ResponseCode()) +
                       ": " + address);
    // What was stored is the site's error page.
    ::DeleteFileA(local.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool TDownloader::Execute() const {
  const std::string address = fBaseAddress + fFileName;
  const std::string local = fLocalFolder + fFileName;
  Log(LVL_INFO, std::string("Update: download ") + (fIsList ? "list " : "file ") + address);
  const TComInit com;
  // The signature of an earlier download must never vouch for this file.
  ::DeleteFileA((local + SIGNATURE_SUFFIX).c_str());
  if (!DownloadTo(address, local)) return false;
  // A file the site serves without its signature has arrived all the same:
  // the check before it is read or unpacked refuses it, and the user learns
  // that the list or the file is not valid rather than that the site was
  // out of reach.
  DownloadTo(address + SIGNATURE_SUFFIX, local + SIGNATURE_SUFFIX);
  return true;
}

}  // namespace qlm
