#include "base/uDirEnum.h"

#include <cstring>

namespace qlm {

namespace {

bool IsDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

void Fill(const WIN32_FIND_DATAA& data, TDirEntry& entry) {
  entry.Name.assign(data.cFileName, ::strnlen(data.cFileName, MAX_PATH));
  entry.Attributes = data.dwFileAttributes;
  entry.Created = data.ftCreationTime;
  entry.Accessed = data.ftLastAccessTime;
  entry.Written = data.ftLastWriteTime;
  entry.Size = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                         data.nFileSizeLow);
}

}  // namespace

TDirEnum::TDirEnum(const std::string& folder, const std::string& pattern) {
  if (folder.empty()) return;
  fFind.Reset(::FindFirstFileA((folder + pattern).c_str(), &fData));
  fHeld = fFind.Valid();
}

bool TDirEnum::Next(TDirEntry& entry) {
  while (fHeld) {
    const bool dot = IsDotEntry(fData.cFileName);
    if (!dot) Fill(fData, entry);
    fHeld = ::FindNextFileA(fFind.Get(), &fData) != FALSE;
    if (!dot) return true;
  }
  return false;
}

}  // namespace qlm
