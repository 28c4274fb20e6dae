// Windows helpers that several slot groups share.
#pragma once

#include <windows.h>

#include <string>

namespace qlm::misc {

// A folder of the shell's folder service (CSIDL_...); empty when the shell
// has no such folder.
std::string ShellFolder(int csidl);

// The 64-bit view of the registry when a 32-bit process runs on 64-bit
// Windows, nothing otherwise (older systems refuse the flag).
REGSAM NativeRegistryView();

// COM for the calling thread for the lifetime of the object; either thread
// may call a slot, each gets its own apartment.
class TComSession {
 public:
  TComSession() noexcept;
  ~TComSession();
  TComSession(const TComSession&) = delete;
  TComSession& operator=(const TComSession&) = delete;
  bool Ready() const noexcept { return fReady; }

 private:
  bool fReady = false;
  bool fOwned = false;
};

}  // namespace qlm::misc
