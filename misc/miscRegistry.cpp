// Keys below the local-machine root, in its native view also when the
// 32-bit program runs on 64-bit Windows. Any root other than "machine" is
// refused, and so is a key with an empty component: "Uninstall\" would name
// the parent of every uninstall entry.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/uHandles.h"
#include "base/uPathRules.h"
#include "base/uText.h"
#include "misc/miscSlots.h"
#include "misc/miscSystem.h"
#include "misc/miscText.h"

namespace qlm::misc {

namespace {

constexpr char MACHINE_ROOT[] = "machine";

bool IsMachineKey(const char* root, const char* key) {
  const std::string_view name = ArgText(key);
  return root && SameTextIgnoringCase(root, MACHINE_ROOT) && !name.empty() &&
         name.front() != '\\' && name.back() != '\\' && name.find("\\\\") == std::string_view::npos;
}

bool OpenMachineKey(const std::string& name, REGSAM access, TRegKey& key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, name.c_str(), 0, access | NativeRegistryView(), &opened) !=
      ERROR_SUCCESS) {
    return false;
  }
  key.Reset(opened);
  return true;
}

// RegDeleteKeyExA reaches the native view; older systems lack it and have
// only the one view.
bool DeleteOneKey(const std::string& name) {
  using RegDeleteKeyExFn = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
  static const auto deleteEx = reinterpret_cast<RegDeleteKeyExFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
  const REGSAM view = NativeRegistryView();
  if (view && deleteEx) return deleteEx(HKEY_LOCAL_MACHINE, name.c_str(), view, 0) == ERROR_SUCCESS;
  return ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> SubkeyNames(HKEY key) {
  std::vector<std::string> names;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    const LONG result = ::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS) names.emplace_back(name, length);
  }
  return names;
}

// The subkeys first; one whose name could not be read exactly stays, and so
// does every key above it.
bool DeleteKeyTree(const std::string& name) {
  TRegKey key;
  if (!OpenMachineKey(name, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, key)) return false;
  const std::vector<std::string> subkeys = SubkeyNames(key.Get());
  key.Reset();
  for (const std::string& subkey : subkeys) {
    if (!HasWildcard(subkey)) DeleteKeyTree(name + "\\" + subkey);
  }
  return DeleteOneKey(name);
}

}  // namespace

extern "C" {

MiscBool MISC_CALL RegKeyDelete(const char* root, const char* key) {
  if (!IsMachineKey(root, key)) return FALSE;
  return DeleteKeyTree(key);
}

MiscBool MISC_CALL RegKeyExists(const char* root, const char* key) {
  TRegKey opened;
  return IsMachineKey(root, key) && OpenMachineKey(key, KEY_QUERY_VALUE, opened);
}

MiscBool MISC_CALL RegReadNumber(const char* root, const char* key, const char* value,
                                 std::int32_t* number) {
  TRegKey opened;
  if (!number || !value || !IsMachineKey(root, key) || !OpenMachineKey(key, KEY_QUERY_VALUE, opened)) {
    return FALSE;
  }
  DWORD type = 0;
  DWORD data = 0;
  DWORD bytes = sizeof data;
  if (::RegQueryValueExA(opened.Get(), value, nullptr, &type, reinterpret_cast<BYTE*>(&data), &bytes) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || bytes != sizeof data) {
    return FALSE;
  }
  *number = static_cast<std::int32_t>(data);
  return TRUE;
}

// The text and its zero must fit the caller's 128 bytes; a longer text is
// refused rather than cut.
MiscBool MISC_CALL RegReadText(const char* root, const char* key, const char* value, char* buffer) {
  TRegKey opened;
  if (!buffer || !value || !IsMachineKey(root, key) || !OpenMachineKey(key, KEY_QUERY_VALUE, opened)) {
    return FALSE;
  }
  char data[MISC_REGTEXT_BUFFER + 1] = {};
  DWORD type = 0;
  DWORD bytes = MISC_REGTEXT_BUFFER;
  if (::RegQueryValueExA(opened.Get(), value, nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return FALSE;
  }
  const std::size_t length = strnlen(data, bytes);
  if (length >= MISC_REGTEXT_BUFFER) return FALSE;
  std::memcpy(buffer, data, length);
  buffer[length] = '\0';
  return TRUE;
}

}  // extern "C"

}  // namespace qlm::misc
