#include "ui/uReportGroups.h"

#include <algorithm>
#include <map>

#include "engine/uCustomDefine.h"

namespace qlm {

namespace {
// The value of a fixed row: its category where the row gathers one, 0 where
// it gathers several.
int RowValue(int category) {
  switch (category) {
    case OBJTYPE_COOKIES:
    case OBJTYPE_IE_CACHE:
    case OBJTYPE_RECENTS:
    case OBJTYPE_WIN_UPDATES:
    case OBJTYPE_WIN_TEMP:
    case OBJTYPE_SYSTEM_JUNK:
    case OBJTYPE_PREFETCH:
    case OBJTYPE_IE_UPDATES:
    case OBJTYPE_ORPHAN_UPDATES:
    case OBJTYPE_DB_CACHE:
      return category;
    default:
      return 0;
  }
}

// The row's name and value, or no name for a record that is not shown.
std::pair<std::string, int> RowOf(int category, const TCustomDefineList* defines) {
  if (IsCustomCategory(category)) {
    const std::size_t slot = static_cast<std::size_t>(category & 0xFF);
    if (defines == nullptr || slot >= defines->Items.size()) return {};
    return {defines->Items[slot]->Display, category};
  }
  return {CategoryGroup(category), RowValue(category)};
}
}  // namespace

std::vector<TReportGroup> GroupFoundObjects(TFoundList& list, const TCustomDefineList* defines,
                                            bool selected) {
  std::vector<TReportGroup> groups;
  // Rows are told apart by their slot: the custom ones by category, the
  // fixed ones by name (several categories share a row).
  std::map<std::string, std::size_t> fixedSlots;
  std::map<int, std::size_t> customSlots;
  for (const auto& record : list) {
    if (!record) continue;
    auto [name, value] = RowOf(record->Category, defines);
    if (name.empty()) continue;
    const std::size_t slot = IsCustomCategory(record->Category)
                                 ? customSlots.try_emplace(record->Category, groups.size()).first->second
                                 : fixedSlots.try_emplace(name, groups.size()).first->second;
    if (slot == groups.size()) groups.push_back({value, std::move(name), 0, 0, {}});
    TReportGroup& group = groups[slot];
    record->Selected = selected;
    group.Objects.push_back(record.get());
    group.Count += record->Count == -1 ? 1 : record->Count;
    group.Size += record->Size;
  }
  return groups;
}

void SortGroupsBySize(std::vector<TReportGroup>& groups) {
  std::stable_sort(groups.begin(), groups.end(), [](const TReportGroup& a, const TReportGroup& b) {
    return a.Size > b.Size;
  });
}

}  // namespace qlm
