#include "startup/uTraceFormat.h"

#include <array>
#include <cstdio>

#include "base/uText.h"

namespace qlm {

std::string_view TraceLevelName(int level) {
  static constexpr std::array<std::string_view, 8> kNames = {
      "LVL_NONE", "LVL_EXCEPT", "LVL_ERROR",  "LVL_WARNING",
      "LVL_INFO", "LVL_NOTICE", "LVL_DEBUG", "LVL_TRASH"};
  if (level < 0 || level >= static_cast<int>(kNames.size())) return {};
  return kNames[static_cast<std::size_t>(level)];
}

std::string TraceRule() { return std::string(80, '\xBB'); }

std::string TraceDayText(const TTraceTime& t) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", t.Year, t.Month, t.Day);
  return text;
}

std::string TraceStamp(const TTraceTime& t, bool uniqueNames) {
  if (!uniqueNames) return TraceDayText(t);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d-%03d", t.Year, t.Month, t.Day,
                t.Hour, t.Minute, t.Second, t.Millisecond);
  return text;
}

std::string TraceFileName(std::string_view appFileName, std::string_view stamp,
                          std::string_view suffix) {
  std::string_view base = appFileName;
  if (auto dot = base.rfind('.'); dot != std::string_view::npos) base = base.substr(0, dot);
  std::string name(base);
  name += '.';
  name += stamp;
  if (!suffix.empty()) {
    name += '-';
    name += suffix;
  }
  name += ".txt";
  return name;
}

bool IsTraceFileName(std::string_view fileName, std::string_view appFileName, bool uniqueNames,
                     std::string_view suffix) {
  const std::string_view stamp = uniqueNames ? "00000000-000000-000" : "00000000";
  const std::string expected = TraceFileName(appFileName, stamp, suffix);
  if (fileName.size() != expected.size()) return false;
  // The stamp follows the base name and its dot.
  const std::size_t stampAt = TraceFileName(appFileName, "", "").size() - 4;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const char c = fileName[i];
    const bool inStamp = i >= stampAt && i < stampAt + stamp.size();
    const bool matches = !inStamp             ? LowerChar(c) == LowerChar(expected[i])
                         : expected[i] == '0' ? c >= '0' && c <= '9'
                                              : c == expected[i];
    if (!matches) return false;
  }
  return true;
}

std::string TraceEntryLine(int level, const TTraceTime& t, std::uint32_t threadId,
                           std::string_view message) {
  char prefix[64];
  std::snprintf(prefix, sizeof prefix, "[%.2d] %02d%02d%02d.%03d   [%.8X] ", level, t.Hour,
                t.Minute, t.Second, t.Millisecond, static_cast<unsigned>(threadId));
  std::string line(prefix);
  line += message;
  return line;
}

std::string TraceLevelLine(int level) {
  std::string line = "LOG Level: " + std::to_string(level) + " [";
  line += TraceLevelName(level);
  line += ']';
  return line;
}

}  // namespace qlm
