// The language library lng.dll: opens language files (format in
// uLanguageFile.h) and answers the program's lookups through the seven
// exports of startup/ILng.h.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "base/uFileRead.h"
#include "lng/uLanguageFile.h"
#include "startup/ILng.h"

namespace qlm::lng {

namespace {

// A language file is a few dozen kilobytes; anything this large is no
// language file and is not read into memory.
constexpr std::uint64_t MAX_FILE_SIZE = 4ull << 20;

std::mutex gLock;
std::map<LngHandle, TLanguageFile> gLanguages;
LngHandle gLastHandle = 0;

bool IsSingleByteCodePage(unsigned codePage) {
  CPINFO info;
  return ::GetCPInfo(codePage, &info) && info.MaxCharSize == 1;
}

// Text of the file's code page in the system's code page; a character the
// system's code page lacks becomes its default character.
bool ToSystemCodePage(unsigned codePage, std::string& text) {
  if (text.empty()) return true;
  int wide = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0);
  if (wide <= 0) return false;
  std::wstring unicode(static_cast<std::size_t>(wide), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), unicode.data(),
                        wide);
  int narrow = ::WideCharToMultiByte(CP_ACP, 0, unicode.data(), wide, nullptr, 0, nullptr, nullptr);
  if (narrow <= 0) return false;
  std::string converted(static_cast<std::size_t>(narrow), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, unicode.data(), wide, converted.data(), narrow, nullptr,
                        nullptr);
  text = std::move(converted);
  return true;
}

bool ConvertTexts(TLanguageFile& file) {
  if (file.CodePage == ::GetACP()) return true;
  bool ok = ToSystemCodePage(file.CodePage, file.Name) &&
            ToSystemCodePage(file.CodePage, file.File);
  for (auto& [key, text] : file.Texts) ok = ok && ToSystemCodePage(file.CodePage, text);
  return ok;
}

// Copies at most `size` characters; the terminator only when there is room.
std::int32_t Deliver(const std::string& text, char* buffer, int size) {
  if (buffer == nullptr) return 0;
  std::size_t count = std::min(text.size(), static_cast<std::size_t>(size));
  std::memcpy(buffer, text.data(), count);
  if (count < static_cast<std::size_t>(size)) buffer[count] = '\0';
  return static_cast<std::int32_t>(count);
}

template <typename Answer>
std::int32_t WithLanguage(LngHandle handle, Answer answer) {
  std::lock_guard<std::mutex> lock(gLock);
  auto found = gLanguages.find(handle);
  if (found == gLanguages.end()) return 0;
  return answer(found->second);
}

}  // namespace

}  // namespace qlm::lng

using namespace qlm;
using namespace qlm::lng;

extern "C" __declspec(dllexport) LngHandle LNG_CALL LngOpen(const char* fileName) {
  if (fileName == nullptr) return 0;
  const TFileRead read = ReadWholeFile(fileName, MAX_FILE_SIZE);
  if (!read.Ok()) return 0;
  TLanguageFile file;
  std::string error;
  if (!ReadLanguageFile(read.Bytes, file, error)) return 0;
  if (!IsSingleByteCodePage(file.CodePage) || !ConvertTexts(file)) return 0;
  std::lock_guard<std::mutex> lock(gLock);
  // Handles are never reused, so a stale handle can never reach another file.
  if (++gLastHandle == 0) ++gLastHandle;
  gLanguages.emplace(gLastHandle, std::move(file));
  return gLastHandle;
}

extern "C" __declspec(dllexport) std::int32_t LNG_CALL LngClose(LngHandle* handle) {
  if (handle == nullptr) return 0;
  std::lock_guard<std::mutex> lock(gLock);
  bool closed = gLanguages.erase(*handle) > 0;
  *handle = 0;
  return closed ? 1 : 0;
}

extern "C" __declspec(dllexport) std::int32_t LNG_CALL LngGetString(LngHandle handle,
                                                                    const char* key,
                                                                    char* buffer) {
  if (key == nullptr) return 0;
  return WithLanguage(handle, [&](const TLanguageFile& file) {
    return Deliver(LanguageText(file, key), buffer, LNG_TEXT_BUFFER);
  });
}

extern "C" __declspec(dllexport) std::int32_t LNG_CALL LngGetName(LngHandle handle, char* buffer) {
  return WithLanguage(handle, [&](const TLanguageFile& file) {
    return Deliver(file.Name, buffer, LNG_NAME_BUFFER);
  });
}

extern "C" __declspec(dllexport) std::int32_t LNG_CALL LngGetFile(LngHandle handle, char* buffer) {
  return WithLanguage(handle, [&](const TLanguageFile& file) {
    return Deliver(file.File, buffer, LNG_FILE_BUFFER);
  });
}

extern "C" __declspec(dllexport) std::int32_t LNG_CALL LngGetVersion(LngHandle handle,
                                                                     char* buffer) {
  return WithLanguage(handle, [&](const TLanguageFile& file) {
    return Deliver(file.Version, buffer, LNG_VERSION_BUFFER);
  });
}

extern "C" __declspec(dllexport) std::uint32_t LNG_CALL LngGetDefault(LngHandle handle) {
  return static_cast<std::uint32_t>(
      WithLanguage(handle, [](const TLanguageFile& file) { return file.Default ? 1 : 0; }));
}
