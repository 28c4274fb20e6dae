// The running executable's own path, read once per process.
#pragma once

#include <string>

namespace qlm {

// The full path of the running executable; empty when Windows cannot give it
// whole (longer than MAX_PATH).
const std::string& ExecutablePath();
// Its folder with a trailing delimiter; empty as above.
std::string ExecutableFolder();

}  // namespace qlm
