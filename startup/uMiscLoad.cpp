#include "startup/uMiscLoad.h"

#include "startup/uLibrarySearch.h"

namespace qlm {

GetIMiscFn GetIMiscEntry = nullptr;
const IMisc* Misc = nullptr;

bool LoadMiscLibrary(HMODULE& handle, std::string folder) {
  if (handle != nullptr) return false;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  handle = ::LoadLibraryA(ProgramLibraryPath(folder + MISC_LIBRARY_FILE).c_str());
  if (handle == nullptr) return false;
  GetIMiscEntry = reinterpret_cast<GetIMiscFn>(
      reinterpret_cast<void*>(::GetProcAddress(handle, MISC_EXPORT_NAME)));
  return true;
}

bool UnloadMiscLibrary(HMODULE& handle) {
  if (reinterpret_cast<UINT_PTR>(handle) < 32) return false;
  GetIMiscEntry = nullptr;
  ::FreeLibrary(handle);
  return true;
}

std::string MiscText(const char* buffer, int length) {
  if (buffer == nullptr || length <= 0) return {};
  std::size_t n = 0;
  while (n < static_cast<std::size_t>(length) && buffer[n] != '\0') ++n;
  return std::string(buffer, n);
}

std::string MiscSizeText(std::int64_t bytes) {
  if (Misc == nullptr || Misc->SizeToText == nullptr) return {};
  char buffer[64] = {};
  int length = 0;
  return Misc->SizeToText(buffer, sizeof buffer, &length, bytes) ? MiscText(buffer, length)
                                                                 : std::string();
}

}  // namespace qlm
