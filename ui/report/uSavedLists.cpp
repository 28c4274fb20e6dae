#include "ui/report/uSavedLists.h"

#include <algorithm>
#include <cstdio>

#include "base/uDateTime.h"
#include "base/uText.h"

namespace qlm {

std::string SavedListName(TDateTime now) {
  const TDateParts parts = DateTimeToParts(now);
  char stamp[16] = {};
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d", parts.Year, parts.Month, parts.Day,
                parts.Hour);
  return std::string(SAVED_LIST_PREFIX) + stamp + SAVED_LIST_EXTENSION;
}

bool IsSavedListName(std::string_view name) {
  const std::string_view prefix = SAVED_LIST_PREFIX;
  const std::string_view extension = SAVED_LIST_EXTENSION;
  return name.size() >= prefix.size() + extension.size() &&
         SameTextIgnoringCase(name.substr(0, prefix.size()), prefix) &&
         SameTextIgnoringCase(name.substr(name.size() - extension.size()), extension);
}

std::vector<std::string> NamesToPurge(std::vector<std::string> names, int keep) {
  if (keep <= 0 || names.size() <= static_cast<std::size_t>(keep)) return {};
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return LowerText(a) < LowerText(b);
  });
  names.resize(names.size() - static_cast<std::size_t>(keep));
  return names;
}

}  // namespace qlm
