// Removal and measure of files and folders. Nothing here acts on a path with
// a wildcard or a relative path, and no walk ever passes through a junction
// or a symbolic link: a link inside a tree is removed itself (or counted as
// nothing), never what it points to.
#include <windows.h>

#include <string>

#include "base/uDirEnum.h"
#include "base/uFileSystem.h"
#include "base/uFolderRelation.h"
#include "base/uHandles.h"
#include "base/uPathRules.h"
#include "base/uPathText.h"
#include "misc/miscSlots.h"
#include "misc/miscSystem.h"
#include "misc/miscText.h"

namespace qlm::misc {

namespace {

bool IsLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
bool IsFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// A read-only file or folder is made writable first; on failure its
// attributes are put back.
bool DeleteEntry(const std::string& path, DWORD attributes) {
  const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (readOnly) ::SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  const bool removed = IsFolder(attributes) ? ::RemoveDirectoryA(path.c_str()) != FALSE
                                            : ::DeleteFileA(path.c_str()) != FALSE;
  if (!removed && readOnly) ::SetFileAttributesA(path.c_str(), attributes);
  return removed;
}

// Visits each entry of folder (with trailing backslash).
template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
  TDirEnum entries(folder);
  TDirEntry entry;
  while (entries.Next(entry)) visit(entry);
}

// Empties folder (with trailing backslash), then removes it. An entry whose
// name the single-byte functions could not read exactly stays, and so does
// the folder that holds it.
void RemoveContent(const std::string& folder) {
  ForEachEntry(folder, [&](const TDirEntry& entry) {
    if (HasWildcard(entry.Name)) return;
    const std::string path = folder + entry.Name;
    if (entry.IsFolder() && !entry.IsReparsePoint()) RemoveContent(path + "\\");
    DeleteEntry(path, entry.Attributes);
  });
}

void AddTotals(const std::string& folder, std::int64_t& size, std::int64_t& count) {
  ForEachEntry(folder, [&](const TDirEntry& entry) {
    if (entry.IsReparsePoint()) return;
    if (entry.IsFolder()) {
      AddTotals(folder + entry.Name + "\\", size, count);
      return;
    }
    size += entry.Size;
    ++count;
  });
}

}  // namespace

extern "C" {

MiscBool MISC_CALL RemoveFile(const char* path) {
  const std::string file(ArgText(path));
  if (!IsActionablePath(file)) return FALSE;
  // Most files go at the first try, which never removes a folder; only a
  // refusal needs the attributes (a read-only file is made writable).
  if (::DeleteFileA(file.c_str())) return TRUE;
  const DWORD attributes = ::GetFileAttributesA(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || IsFolder(attributes)) return FALSE;
  return DeleteEntry(file, attributes);
}

MiscBool MISC_CALL RemoveTree(const char* folder, int, int) {
  const std::string path = WithoutTrailingBackslash(ArgText(folder));
  if (!IsActionablePath(path) || IsRootPath(path)) return FALSE;
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !IsFolder(attributes)) return FALSE;
  if (!IsLink(attributes)) RemoveContent(path + "\\");
  DeleteEntry(path, attributes);
  return PathGone(path);
}

MiscBool MISC_CALL FolderTotals(const char* folder, std::int64_t* size, std::int64_t* count) {
  const std::string path = WithoutTrailingBackslash(ArgText(folder));
  if (!size || !count || !IsAbsolutePath(path)) return FALSE;
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !IsFolder(attributes)) return FALSE;
  std::int64_t bytes = 0;
  std::int64_t files = 0;
  if (!IsLink(attributes)) AddTotals(WithBackslash(path), bytes, files);
  *size = bytes;
  *count = files;
  return TRUE;
}

int MISC_CALL IsSubFolder(const char* a, const char* b) {
  if (!a || !b) return FOLDER_UNDETERMINED;
  return FolderRelation(a, b);
}

}  // extern "C"

}  // namespace qlm::misc
