#include "ui/uRestartArgs.h"

namespace qlm {

namespace {

// The command line without the program's path, which may be quoted and hold
// blanks.
std::string_view Arguments(std::string_view line) {
  std::size_t at = 0;
  if (!line.empty() && line[0] == '"') {
    const std::size_t quote = line.find('"', 1);
    at = quote == std::string_view::npos ? line.size() : quote + 1;
  } else {
    at = line.find_first_of(" \t");
    if (at == std::string_view::npos) at = line.size();
  }
  return line.substr(at);
}

std::optional<std::uint32_t> Predecessor(std::string_view argument) {
  const std::string_view prefix = RESTART_AFTER_SWITCH;
  if (argument.substr(0, prefix.size()) != prefix) return std::nullopt;
  const std::string_view digits = argument.substr(prefix.size());
  if (digits.empty() || digits.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::string FormatRestartArgs(std::uint32_t predecessor) {
  return RESTART_AFTER_SWITCH + std::to_string(predecessor);
}

std::optional<std::uint32_t> ParseRestartArgs(std::string_view commandLine) {
  std::string_view rest = Arguments(commandLine);
  while (!rest.empty()) {
    const std::size_t start = rest.find_first_not_of(" \t");
    if (start == std::string_view::npos) break;
    rest = rest.substr(start);
    const std::size_t end = rest.find_first_of(" \t");
    if (auto pid = Predecessor(rest.substr(0, end))) return pid;
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
  }
  return std::nullopt;
}

}  // namespace qlm
