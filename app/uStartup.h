// Process entry of the windowed program: single instance, services library,
// trace log, main window, message loop and the shutdown in reverse order.
#pragma once

#include <windows.h>

#include <string>

namespace qlm {

inline constexpr char MUTEX_BASE_NAME[] = "QuillmerePro";
inline constexpr char TRACE_FOLDER[] = "traces";
inline constexpr char FATAL_ERROR_CAPTION[] = "Fatal error";
inline constexpr char MISC_LOAD_FAILED[] =
    "Unable to load misc.dll library. Application will be closed.";
inline constexpr char MISC_INVALID_INTERFACE[] =
    "Invalid misc.dll interface library. Reinstall application.";

// True when no mutex of that name can be opened.
bool IsMutexFree(const std::string& name);

// The instance mutex ("Global\<base>.Running", else "<base>.Running"), or
// null when another copy runs. A creation that finds the mutex already there
// also means another copy runs: two starts at the same moment cannot both win.
HANDLE CreateInstanceMutex(const std::string& baseName);

// Runs the program from the instance test to the end; returns the exit code.
int RunApplication(HINSTANCE instance);

}  // namespace qlm
