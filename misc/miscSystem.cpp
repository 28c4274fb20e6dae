#include "misc/miscSystem.h"

#include <objbase.h>
#include <shlobj.h>

#include "base/uHandles.h"

namespace qlm::misc {

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

}  // namespace

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT,
                                path))) {
    return {};
  }
  return path;
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

}  // namespace qlm::misc
