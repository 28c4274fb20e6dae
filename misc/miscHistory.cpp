// History lists in the current user's registry. Each clean removes what its
// totals count and nothing else.
//
// Address bar: the values of the current user's Internet Explorer key
// "TypedURLs"; count = values, size = bytes of their data.
// Most-recently-used lists: the values of the keys of MRU_KEYS below
// HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer, subkeys included
// (the per-extension lists); count = values (the order values "MRUList" and
// "MRUListEx" included), size = bytes of their data. The keys stay.
// A value whose name the single-byte functions could not read exactly is
// neither counted nor removed.
#include <windows.h>

#include <string>
#include <vector>

#include "base/uHandles.h"
#include "base/uPathRules.h"
#include "misc/miscSlots.h"
#include "misc/miscSystem.h"

namespace qlm::misc {

namespace {

constexpr char TYPED_URLS_KEY[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr char EXPLORER_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
constexpr const char* MRU_KEYS[] = {
    "RecentDocs",                        // recent documents
    "RunMRU",                            // the Run box
    "ComDlg32\\OpenSaveMRU",             // common dialogs, until Windows XP
    "ComDlg32\\LastVisitedMRU",          //
    "ComDlg32\\OpenSavePidlMRU",         // common dialogs, from Windows Vista on
    "ComDlg32\\LastVisitedPidlMRU",      //
    "TypedPaths",                        // Explorer's address bar
};

struct TValueRef {
  std::string Key;
  std::string Name;
  DWORD Bytes = 0;
};

bool OpenUserKey(const std::string& path, REGSAM access, TRegKey& key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &opened) != ERROR_SUCCESS) {
    return false;
  }
  key.Reset(opened);
  return true;
}

void ListValues(const std::string& path, bool withSubkeys, std::vector<TValueRef>& values) {
  TRegKey key;
  if (!OpenUserKey(path, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, key)) return;
  char name[16384];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    DWORD bytes = 0;
    const LONG result =
        ::RegEnumValueA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, &bytes);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || HasWildcard(std::string_view(name, length))) continue;
    values.push_back({path, std::string(name, length), bytes});
  }
  if (!withSubkeys) return;
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    const LONG result =
        ::RegEnumKeyExA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS) ListValues(path + "\\" + std::string(name, length), true, values);
  }
}

std::vector<TValueRef> TypedUrlValues() {
  std::vector<TValueRef> values;
  ListValues(TYPED_URLS_KEY, false, values);
  return values;
}

std::vector<TValueRef> MruValues() {
  std::vector<TValueRef> values;
  for (const char* key : MRU_KEYS) ListValues(std::string(EXPLORER_KEY) + key, true, values);
  return values;
}

MiscBool GiveTotals(const std::vector<TValueRef>& values, std::int64_t* count, std::int64_t* size) {
  if (!count || !size) return FALSE;
  std::int64_t bytes = 0;
  for (const TValueRef& value : values) bytes += value.Bytes;
  *count = static_cast<std::int64_t>(values.size());
  *size = bytes;
  return TRUE;
}

MiscBool DeleteValues(const std::vector<TValueRef>& values) {
  bool all = true;
  for (const TValueRef& value : values) {
    TRegKey key;
    all = OpenUserKey(value.Key, KEY_SET_VALUE, key) &&
          ::RegDeleteValueA(key.Get(), value.Name.c_str()) == ERROR_SUCCESS && all;
  }
  return all;
}

}  // namespace

extern "C" {

MiscBool MISC_CALL AddressBarTotals(std::int64_t* count, std::int64_t* size) {
  return GiveTotals(TypedUrlValues(), count, size);
}

MiscBool MISC_CALL CleanAddressBar() { return DeleteValues(TypedUrlValues()); }

MiscBool MISC_CALL MruTotals(std::int64_t* count, std::int64_t* size) {
  return GiveTotals(MruValues(), count, size);
}

MiscBool MISC_CALL CleanMruLists() { return DeleteValues(MruValues()); }

}  // extern "C"

}  // namespace qlm::misc
