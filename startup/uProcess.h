// Starting outside programs.
#pragma once

#include <string>

namespace qlm {

// Starts `program` + " " + `parameters` (no quoting is added) in a new process
// group at normal priority, and waits for its end when `wait` is true. True
// when the process started; callers that need not tell may ignore it.
bool RunProgram(const std::string& program, const std::string& parameters, bool wait);

}  // namespace qlm
