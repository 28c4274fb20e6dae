#include "base/uPathRules.h"

namespace qlm {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsSlash(char c) { return c == '\\' || c == '/'; }

bool IsDrivePath(std::string_view path) {
  return path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && IsSlash(path[2]);
}

bool IsSharePath(std::string_view path) {
  return path.size() > 2 && IsSlash(path[0]) && IsSlash(path[1]) && !IsSlash(path[2]);
}

// The non-empty components after the drive or the leading double slash.
int ComponentCount(std::string_view rest) {
  int count = 0;
  bool inside = false;
  for (char c : rest) {
    if (IsSlash(c)) {
      inside = false;
    } else if (!inside) {
      inside = true;
      ++count;
    }
  }
  return count;
}

bool HasDotComponent(std::string_view path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSlash(path[end])) ++end;
    const std::string_view part = path.substr(start, end - start);
    if (part == "." || part == "..") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

bool HasWildcard(std::string_view path) {
  return path.find_first_of("*?") != std::string_view::npos;
}

bool IsAbsolutePath(std::string_view path) { return IsDrivePath(path) || IsSharePath(path); }

bool IsActionablePath(std::string_view path) {
  return IsAbsolutePath(path) && !HasWildcard(path) && !HasDotComponent(path);
}

bool IsRootPath(std::string_view path) {
  if (path.size() == 2 && IsLetter(path[0]) && path[1] == ':') return true;
  if (IsDrivePath(path)) return ComponentCount(path.substr(2)) == 0;
  if (IsSharePath(path)) return ComponentCount(path.substr(2)) <= 2;
  return false;
}

}  // namespace qlm
