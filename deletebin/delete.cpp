// delete.bin: removes the one file named by its quoted argument, for files
// that the program cannot remove itself. Exit codes: 1 the file no longer
// exists; 2 it is held open and is scheduled for removal at the next
// restart; 3 it could not be removed; 0 the argument was refused (not one
// quoted absolute path of a file that may be acted on: no wildcard, no "."
// or ".." component, no drive or share root). It never touches any other
// path.
#include <windows.h>

#include <string>

#include "base/uFileSystem.h"
#include "base/uPathRules.h"

namespace qlm::deletebin {

namespace {

constexpr int EXIT_REFUSED = 0;
constexpr int EXIT_REMOVED = 1;
constexpr int EXIT_AT_RESTART = 2;
constexpr int EXIT_KEPT = 3;

// A held file often goes free a moment later; the whole run stays far below
// the 2500 ms that the program waits.
constexpr int kTries = 8;
constexpr DWORD kTryPauseMs = 100;

// The text between the double quotes of the single argument that follows
// the program name; empty when the command line holds anything else.
std::string QuotedArgument(const char* commandLine) {
  std::string line(commandLine);
  std::size_t pos = 0;
  if (!line.empty() && line[0] == '"') {
    pos = line.find('"', 1);
    if (pos == std::string::npos) return std::string();
    ++pos;
  } else {
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
  }
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  if (pos >= line.size() || line[pos] != '"') return std::string();
  const std::size_t close = line.find('"', pos + 1);
  if (close == std::string::npos) return std::string();
  if (line.find_first_not_of(" \t", close + 1) != std::string::npos) return std::string();
  return line.substr(pos + 1, close - pos - 1);
}

bool IsPlainFilePath(const std::string& path) {
  return IsActionablePath(path) && !IsRootPath(path) && path.back() != '\\' && path.back() != '/';
}

int RemoveFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathGone(path) ? EXIT_REMOVED : EXIT_KEPT;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EXIT_REFUSED;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    ::SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (::DeleteFileA(path.c_str()) || PathGone(path)) return EXIT_REMOVED;
    const DWORD error = ::GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
        error != ERROR_ACCESS_DENIED) {
      break;
    }
    ::Sleep(kTryPauseMs);
  }
  if (PathGone(path)) return EXIT_REMOVED;
  return ::MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) ? EXIT_AT_RESTART
                                                                           : EXIT_KEPT;
}

}  // namespace

}  // namespace qlm::deletebin

using namespace qlm;
using namespace qlm::deletebin;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string path = QuotedArgument(::GetCommandLineA());
  if (!IsPlainFilePath(path)) return EXIT_REFUSED;
  return RemoveFile(path);
}
