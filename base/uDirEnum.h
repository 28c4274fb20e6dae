// The entries of one folder, read one at a time. "." and ".." are never
// yielded; a junction or symbolic link is yielded as an entry flagged as a
// reparse point, and since nothing here descends, whether to walk into a
// folder entry is the caller's choice.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/uHandles.h"

namespace qlm {

struct TDirEntry {
  std::string Name;
  DWORD Attributes = 0;
  FILETIME Created{};
  FILETIME Accessed{};
  FILETIME Written{};
  std::int64_t Size = 0;

  bool IsFolder() const noexcept { return (Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  bool IsReparsePoint() const noexcept { return (Attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
  // A file that is neither hidden nor a system file: what the program keeps
  // of its own in its folders looks like this.
  bool IsPlainFile() const noexcept {
    return (Attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
  }
  // A name that the single-byte functions could not represent comes back
  // with "?" in it: it cannot be acted on by that name.
  bool NameReadable() const noexcept { return Name.find('?') == std::string::npos; }
};

class TDirEnum {
 public:
  // The entries of folder (with its trailing backslash) whose names match
  // the system's wildcard pattern. An empty folder yields nothing, never the
  // current folder's entries.
  explicit TDirEnum(const std::string& folder, const std::string& pattern = "*");

  // The next entry; false at the end.
  bool Next(TDirEntry& entry);

 private:
  WIN32_FIND_DATAA fData{};
  TFindHandle fFind;
  bool fHeld = false;  // fData holds an entry not yet yielded
};

}  // namespace qlm
