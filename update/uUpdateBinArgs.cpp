#include "update/uUpdateBinArgs.h"

namespace qlm {

namespace {

bool ReadQuoted(std::string_view& text, std::string& value) {
  if (text.empty() || text.front() != '"') return false;
  const std::size_t close = text.find('"', 1);
  if (close == std::string_view::npos) return false;
  value = std::string(text.substr(1, close - 1));
  text.remove_prefix(close + 1);
  return true;
}

// At least one blank separates the parts; more are tolerated.
bool SkipBlank(std::string_view& text) {
  if (text.empty() || text.front() != ' ') return false;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return true;
}

bool ReadHandle(std::string_view text, std::uint32_t& handle) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n')) {
    text.remove_suffix(1);
  }
  if (text.empty() || text.size() > 10) return false;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value == 0 || value > 0xFFFFFFFFu) return false;
  handle = static_cast<std::uint32_t>(value);
  return true;
}

}  // namespace

bool ParseUpdateBinArgs(std::string_view commandLine, TUpdateBinArgs& args) {
  // A quoted program path is passed over; an unquoted one holds no quote.
  std::size_t pathEnd = 0;
  if (!commandLine.empty() && commandLine.front() == '"') {
    pathEnd = commandLine.find('"', 1);
    if (pathEnd == std::string_view::npos) return false;
    ++pathEnd;
  }
  const std::size_t first = commandLine.find('"', pathEnd);
  if (first == std::string_view::npos) return false;
  std::string_view rest = commandLine.substr(first);
  for (std::string* text : {&args.Caption, &args.CloseText, &args.UpdateText, &args.RestartText}) {
    if (!ReadQuoted(rest, *text) || !SkipBlank(rest)) return false;
  }
  return ReadHandle(rest, args.MainWindow);
}

std::string FormatUpdateBinArgs(const TUpdateBinArgs& args) {
  std::string line;
  for (const std::string* text : {&args.Caption, &args.CloseText, &args.UpdateText,
                                  &args.RestartText}) {
    line += '"';
    for (const char c : *text) {
      if (c != '"') line += c;
    }
    line += "\" ";
  }
  line += std::to_string(args.MainWindow);
  return line;
}

}  // namespace qlm
