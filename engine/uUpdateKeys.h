// What the removal of an update's uninstallation folder touches besides the
// folder: its registry keys and its log file. Free of Windows headers.
#pragma once

#include <string>
#include <string_view>

#include "base/uStringList.h"

namespace qlm {

inline constexpr char UNINSTALL_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// An update identifier that can name one key and one file: not empty, no
// "\" or "/", not "." or "..". Any other identifier would reach a whole
// registry branch or a file outside the Windows folder.
bool IsPlainKeyName(std::string_view id);

// Appends the update's three keys below the local-machine root: its
// uninstall entry, its cached entry and its hot-fix entry. Nothing for an
// identifier that is not a plain key name.
void UpdateRegistryKeys(const std::string& id, TStringList& keys);

// The update's log file in the Windows folder (given with its trailing
// backslash); empty for an identifier that is not a plain key name.
std::string UpdateLogFile(const std::string& windowsFolder, const std::string& id);

// The last component of a path, a trailing backslash removed first.
std::string LastPathComponent(std::string_view path);

}  // namespace qlm
