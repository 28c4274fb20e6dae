// The definition files in the program's "defines\" folder: tracking-cookie
// definitions, junk-file masks and Windows log masks. The engine reads them
// afresh at every scan; the main window reads only their version.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/uStringList.h"

namespace qlm {

class TScanContext;

// Raised when a definition file cannot be read; the scan step that reads
// it ends with the error's text in the log.
class EDefineFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Definition files are a few kilobytes. One of them may be any file the user
// named in the settings; anything larger than this is no definition file and
// is refused unread rather than held in memory line by line.
inline constexpr std::uint64_t DEFINE_FILE_LIMIT = 4ull << 20;

// The whole definition file; nullopt when it cannot be read or is larger
// than DEFINE_FILE_LIMIT (logged at the error level).
std::optional<std::string> ReadDefineFile(const std::string& path);

// Every line of a file; raises EDefineFileError when it cannot be read or is
// larger than DEFINE_FILE_LIMIT.
std::vector<std::string> LoadDefineLines(const std::string& path);

// Refills the engine's cookie definition list. False ends the scan: a file
// with only its version line. An empty file turns the cookie categories off
// for this scan only.
bool LoadCookieDefinitions(TScanContext& scan);

// The '|'-separated masks of the system junk items: "extensions.def" when
// chosen, then the user's extra masks. Raises for a missing or empty file.
std::string LoadJunkMasks(TScanContext& scan);

// The masks of the Windows-logs item, or none when "windows.def" holds no
// entry. Raises for a missing file.
std::optional<TStringList> LoadWindowsLogMasks(TScanContext& scan);

// The version of a file in "defines\" of the program folder: the name of
// its first section, empty when there is none or no file.
std::string GetDefineVersion(const std::string& appFolder, const std::string& fileName);

}  // namespace qlm
