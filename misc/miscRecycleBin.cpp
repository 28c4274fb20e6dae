// The Recycle Bin through the shell.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "base/uFileSystem.h"
#include "base/uPathRules.h"
#include "misc/miscSlots.h"
#include "misc/miscSystem.h"
#include "misc/miscText.h"

namespace qlm::misc {

namespace {

constexpr char RECYCLE_BIN_FOLDER[] = "::{645FF040-5081-101B-9F08-00AA002F954E}";

bool QueryBin(std::int64_t& count, std::int64_t& size) {
  SHQUERYRBINFO info = {};
  info.cbSize = sizeof info;
  if (FAILED(::SHQueryRecycleBinA(nullptr, &info))) return false;
  count = info.i64NumItems;
  size = info.i64Size;
  return true;
}

// The safety rules of both slots: an absolute path without wildcards, of a
// file that is there.
bool Recyclable(const std::string& file) { return IsActionablePath(file) && IsExistingFile(file); }

// Names each ended by a zero. The shell's file operation reads them up to an
// empty name; it runs without confirmation, progress or error windows.
bool RecycleList(std::string names) {
  names.push_back('\0');
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = names.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return ::SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace

extern "C" {

MiscBool MISC_CALL RecycleFile(const char* path) {
  const std::string file(ArgText(path));
  if (!Recyclable(file)) return FALSE;
  std::string names = file;
  names.push_back('\0');
  return RecycleList(names) && PathGone(file);
}

MiscBool MISC_CALL RecycleFiles(const char* names) {
  if (names == nullptr) return FALSE;
  std::string accepted;
  for (const char* name = names; *name != '\0'; name += std::strlen(name) + 1) {
    const std::string file(name);
    if (!Recyclable(file)) continue;
    accepted += file;
    accepted.push_back('\0');
  }
  return accepted.empty() || RecycleList(accepted);
}

MiscBool MISC_CALL RecycleBinTotals(std::int64_t* count, std::int64_t* size) {
  if (!count || !size) return FALSE;
  return QueryBin(*count, *size);
}

// ask: the shell asks for confirmation; showProgress: it shows its progress
// window; silent: no sound. True when the bin is empty afterwards, so a
// refused confirmation answers false.
MiscBool MISC_CALL EmptyRecycleBin(MiscBool ask, MiscBool showProgress, MiscBool silent) {
  DWORD flags = 0;
  if (!ask) flags |= SHERB_NOCONFIRMATION;
  if (!showProgress) flags |= SHERB_NOPROGRESSUI;
  if (silent) flags |= SHERB_NOSOUND;
  ::SHEmptyRecycleBinA(nullptr, nullptr, flags);
  std::int64_t count = 0;
  std::int64_t size = 0;
  return QueryBin(count, size) && count == 0;
}

MiscBool MISC_CALL OpenRecycleBin() {
  const HINSTANCE result =
      ::ShellExecuteA(nullptr, "open", "explorer.exe", RECYCLE_BIN_FOLDER, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // extern "C"

}  // namespace qlm::misc
