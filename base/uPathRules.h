// Which paths may be removed, recycled or rewritten. Free of Windows headers.
//
// A name that the single-byte functions could not represent comes back with
// "?" in it, and the shell's file operation takes "?" and "*" as wildcards:
// recycling such a path once removed other files of the same folder. So a
// path that holds either character is never acted on, nor is a relative path
// (it would depend on the current folder of whichever thread calls), nor a
// path with a "." or ".." component ("C:\Windows\.." is the drive root).
#pragma once

#include <string_view>

namespace qlm {

bool HasWildcard(std::string_view path);

// "X:\..." or "\\server\share...".
bool IsAbsolutePath(std::string_view path);

// Absolute, free of wildcards and of "." and ".." components.
bool IsActionablePath(std::string_view path);

// A drive root ("C:\", "C:") or a share root ("\\server\share\"): never
// removed as a tree.
bool IsRootPath(std::string_view path);

}  // namespace qlm
