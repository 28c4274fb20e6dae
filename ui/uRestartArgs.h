// The command line of the program started again by itself (with
// administrator rights): "/after:PID" names the instance that must end
// before the new one goes on. Free of Windows headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qlm {

inline constexpr char RESTART_AFTER_SWITCH[] = "/after:";

// "/after:" followed by the process identifier in decimal.
std::string FormatRestartArgs(std::uint32_t predecessor);

// The predecessor named by a whole command line (the program's path first,
// quoted or not); none when no argument is exactly "/after:" and decimal
// digits that fit in 32 bits.
std::optional<std::uint32_t> ParseRestartArgs(std::string_view commandLine);

}  // namespace qlm
