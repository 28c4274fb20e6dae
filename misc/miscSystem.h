// Windows helpers that several slot groups share.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

bool FolderExists(const std::string& path);
bool PlainFileExists(const std::string& path);
// True when nothing (file or folder) is at path any more.
bool PathGone(const std::string& path);

// A folder of the shell's folder service (CSIDL_...); empty when the shell
// has no such folder.
std::string ShellFolder(int csidl);

// The whole file, refused when it is larger than limit bytes.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::uint64_t limit);

// Replaces a file's content by writing a temporary file beside it and moving
// that over the original, so that a failure leaves the original whole.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);

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
