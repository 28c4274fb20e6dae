// The call contract of the language library lng.dll, shared by the program
// and by the library. Any lng.dll that keeps it can replace ours.
//
// - Seven exports under their plain names, standard Windows calling
//   convention (__stdcall), every argument 32 bits wide.
// - A language handle is an unsigned 32-bit value; 0 means "not opened".
// - Texts are zero-terminated single-byte strings in the system code page on
//   the way in. On the way out the library fills the caller's buffer, whose
//   size is fixed per export (below), and returns the number of characters it
//   wrote: never below 0, never above the buffer size. A text longer than the
//   buffer is cut by the library; the caller keeps exactly the returned count.
//
// The file compiles with any C++20 compiler; the calling convention applies
// only to 32-bit Windows builds.
#pragma once

#include <cstdint>

namespace qlm {

#if defined(_WIN32) && !defined(_WIN64)
#define LNG_CALL __stdcall
#else
#define LNG_CALL
#endif

inline constexpr char LNG_LIBRARY_FILE[] = "lng.dll";

inline constexpr int LNG_TEXT_BUFFER = 1024;
inline constexpr int LNG_FILE_BUFFER = 128;
inline constexpr int LNG_NAME_BUFFER = 64;
inline constexpr int LNG_VERSION_BUFFER = 64;

using LngHandle = std::uint32_t;

// Full path of a language file -> handle, 0 when the file was not opened.
using LngOpenFn = LngHandle(LNG_CALL*)(const char* fileName);
// Closes *handle and sets it to 0; nonzero when a language was closed.
using LngCloseFn = std::int32_t(LNG_CALL*)(LngHandle* handle);
// The text of a key into a LNG_TEXT_BUFFER-byte buffer.
using LngGetStringFn = std::int32_t(LNG_CALL*)(LngHandle handle, const char* key, char* buffer);
// Display name (LNG_NAME_BUFFER), file text (LNG_FILE_BUFFER) and version
// (LNG_VERSION_BUFFER) of a language.
using LngGetTextFn = std::int32_t(LNG_CALL*)(LngHandle handle, char* buffer);
// Nonzero when the language is marked as the default language.
using LngGetDefaultFn = std::uint32_t(LNG_CALL*)(LngHandle handle);

inline constexpr char LNG_EXPORT_OPEN[] = "LngOpen";
inline constexpr char LNG_EXPORT_CLOSE[] = "LngClose";
inline constexpr char LNG_EXPORT_GET_STRING[] = "LngGetString";
inline constexpr char LNG_EXPORT_GET_NAME[] = "LngGetName";
inline constexpr char LNG_EXPORT_GET_FILE[] = "LngGetFile";
inline constexpr char LNG_EXPORT_GET_VERSION[] = "LngGetVersion";
inline constexpr char LNG_EXPORT_GET_DEFAULT[] = "LngGetDefault";

}  // namespace qlm
