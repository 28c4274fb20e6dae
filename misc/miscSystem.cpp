#include "misc/miscSystem.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

#include "startup/uHandles.h"

namespace {

// Present from Windows XP SP2 on; its absence means no 64-bit Windows below.
bool IsWow64Process32() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  if (!kernel) return false;
  const auto query =
      reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(::GetProcAddress(kernel, "IsWow64Process")));
  BOOL wow64 = FALSE;
  return query && query(::GetCurrentProcess(), &wow64) && wow64;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written != chunk) {
      return false;
    }
    done += written;
  }
  return ::FlushFileBuffers(file) != FALSE;
}

}  // namespace

bool FolderExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlainFileExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathGone(const std::string& path) {
  if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT,
                                path))) {
    return {};
  }
  return path;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::uint64_t limit) {
  TFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.Get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > limit) {
    return false;
  }
  bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    if (!::ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr) || read == 0) {
      return false;
    }
    done += read;
  }
  return true;
}

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
  const std::string folder = path.substr(0, path.find_last_of('\\') + 1);
  char temporary[MAX_PATH];
  if (folder.empty() || !::GetTempFileNameA(folder.c_str(), "qlm", 0, temporary)) return false;
  bool written = false;
  {
    TFileHandle file(::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    written = file && WriteAll(file.Get(), bytes);
  }
  if (written &&
      ::MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  ::DeleteFileA(temporary);
  return false;
}

REGSAM NativeRegistryView() {
  static const bool wow64 = IsWow64Process32();
  return wow64 ? KEY_WOW64_64KEY : 0;
}

TComSession::TComSession() noexcept {
  const HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  fOwned = SUCCEEDED(result);
  // A thread already in another apartment can still use COM.
  fReady = fOwned || result == RPC_E_CHANGED_MODE;
}

TComSession::~TComSession() {
  if (fOwned) ::CoUninitialize();
}
