#include "startup/uShared.h"

#include <cmath>

double FileTimeToDateTime(std::uint64_t fileTime) {
  return static_cast<double>(fileTime) / FILETIME_TICKS_PER_DAY - FILETIME_EPOCH_DAYS;
}

namespace {

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t doe = days - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

constexpr std::int64_t kDaysFrom1899To1970 = 25569;

}  // namespace

TDateParts DateTimeToParts(double dateTime) {
  TDateParts parts;
  const double whole = std::trunc(dateTime);
  std::int64_t ms = std::llround(std::fabs(dateTime - whole) * 86400000.0);
  std::int64_t days = static_cast<std::int64_t>(whole);
  if (ms >= 86400000) {  // rounding reached the next day
    ms -= 86400000;
    days += dateTime < 0 ? -1 : 1;
  }
  CivilFromDays(days - kDaysFrom1899To1970, parts.Year, parts.Month, parts.Day);
  parts.Hour = static_cast<int>(ms / 3600000);
  parts.Minute = static_cast<int>(ms / 60000 % 60);
  parts.Second = static_cast<int>(ms / 1000 % 60);
  parts.Millisecond = static_cast<int>(ms % 1000);
  return parts;
}

std::vector<std::string_view> SplitAt(std::string_view text, char delimiter) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(delimiter, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::string ShortPath(std::string_view path) {
  std::vector<std::string_view> names = SplitAt(path, '\\');
  // A drive ("C:") is not a folder name.
  if (!names.empty() && names.front().find(':') != std::string_view::npos) {
    names.erase(names.begin());
  }
  auto nameAt = [&](std::size_t fromEnd) -> std::string_view {
    return fromEnd < names.size() ? names[names.size() - 1 - fromEnd] : std::string_view{};
  };
  std::string result(nameAt(2));
  result += '\\';
  result += nameAt(1);
  result += '\\';
  result += nameAt(0);
  return result;
}

namespace {
// A drive ("C:") ends a folder part as a backslash does.
constexpr char kPathDelimiters[] = "\\:";
}  // namespace

std::string FolderOf(std::string_view path) {
  const std::size_t last = path.find_last_of(kPathDelimiters);
  return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string NameOf(std::string_view path) {
  const std::size_t last = path.find_last_of(kPathDelimiters);
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string WithBackslash(std::string_view folder) {
  std::string text(folder);
  if (!text.empty() && text.back() != '\\') text += '\\';
  return text;
}

std::string MiscText(const char* buffer, int length) {
  if (buffer == nullptr || length <= 0) return {};
  std::size_t n = 0;
  while (n < static_cast<std::size_t>(length) && buffer[n] != '\0') ++n;
  return std::string(buffer, n);
}
