#include "ui/report/uReportModel.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/uPathText.h"
#include "base/uText.h"
#include "engine/uCategories.h"

namespace qlm {

namespace {
constexpr int kListedCategories = OBJTYPE_DB_CACHE + 1;
constexpr int kCustomSlots = 256;

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

// Where each record goes: a slot of the fixed rows (0 .. kListedCategories-1,
// one per row name, so categories that share a row share a slot) or of the
// custom rows (kListedCategories + define position), and the row made for
// each slot on its first object.
class TSlotMap {
 public:
  explicit TSlotMap(std::size_t customCount) : fCustomCount(customCount) {
    for (int category = 0; category < kListedCategories; ++category) {
      const std::string name = CategoryGroup(category);
      fKeys[category] = -1;
      for (int first = 0; !name.empty() && first <= category; ++first) {
        if (CategoryGroup(first) == name) {
          fKeys[category] = first;
          break;
        }
      }
    }
    fRows.assign(kListedCategories + customCount, -1);
  }

  // -1 when the report does not show the category.
  int SlotOf(int category) const {
    if (IsCustomCategory(category)) {
      const int slot = category & 0xFF;
      return static_cast<std::size_t>(slot) < fCustomCount ? kListedCategories + slot : -1;
    }
    return category >= 0 && category < kListedCategories ? fKeys[category] : -1;
  }
  static bool IsCustomSlot(int slot) { return slot >= kListedCategories; }
  static std::size_t DefineOf(int slot) { return static_cast<std::size_t>(slot - kListedCategories); }
  int& RowOf(int slot) { return fRows[static_cast<std::size_t>(slot)]; }

 private:
  std::size_t fCustomCount;
  std::array<int, kListedCategories> fKeys{};
  std::vector<int> fRows;
};

std::int64_t Tally(const TFileRec& record) { return record.Count == -1 ? 1 : record.Count; }

// A stable sort by a signed 64-bit key, either way.
template <typename T, typename TKey>
void SortByKey(std::vector<T>& items, TSortDirection direction, TKey key) {
  const bool ascending = direction == TSortDirection::Ascending;
  std::stable_sort(items.begin(), items.end(), [&](const T& a, const T& b) {
    return ascending ? key(a) < key(b) : key(b) < key(a);
  });
}
}  // namespace

std::string WithoutOwner(const std::string& path, const std::string& owner) {
  if (owner.empty() || owner.size() > path.size()) return path;
  const std::string lowerPath = LowerText(path);
  const std::size_t at = lowerPath.find(LowerText(owner));
  if (at == std::string::npos) return path;
  return path.substr(0, at) + path.substr(at + owner.size());
}

void TReportModel::Clear() { fGroups.clear(); }

bool TReportModel::HasRow(const TFileRec& record) const {
  return record.Category != OBJTYPE_IE_CACHE || fOptions.ShowFiles;
}

void TReportModel::Fill(TFoundList& list, const std::vector<std::string>& customNames,
                        const TReportOptions& options) {
  fGroups.clear();
  fOptions = options;
  TSlotMap slots(std::min<std::size_t>(customNames.size(), kCustomSlots));
  // The first pass makes the category rows and counts their object rows, so
  // that each row is sized exactly and holds no spare room.
  std::vector<std::size_t> objectCount;
  std::vector<std::size_t> firstCount;
  for (const auto& record : list) {
    if (!record) continue;
    const int slot = slots.SlotOf(record->Category);
    record->Selected = slot >= 0 && options.SelFoundObjs;
    if (slot < 0) continue;
    int& row = slots.RowOf(slot);
    if (row < 0) {
      row = static_cast<int>(fGroups.size());
      TReportGroup& group = fGroups.emplace_back();
      const bool custom = TSlotMap::IsCustomSlot(slot);
      group.Category = custom ? record->Category : RowValue(record->Category);
      group.Text = custom ? customNames[TSlotMap::DefineOf(slot)] : CategoryGroup(record->Category);
      group.Checked = options.SelFoundObjs;
      objectCount.push_back(0);
      firstCount.push_back(0);
    }
    TReportGroup& group = fGroups[static_cast<std::size_t>(row)];
    group.Count += Tally(*record);
    group.Size += record->Size;
    group.SumsOnly = group.SumsOnly || !HasRow(*record);
    if (!HasRow(*record)) continue;
    ++objectCount[static_cast<std::size_t>(row)];
    if (record->Category == OBJTYPE_MRU) ++firstCount[static_cast<std::size_t>(row)];
  }
  // The second pass places the objects in list order, each category 21
  // object before the ones already there (so they stand first, the last
  // found at the top).
  std::vector<std::size_t> nextFirst(firstCount);
  std::vector<std::size_t> nextAfter(firstCount);
  for (std::size_t row = 0; row < fGroups.size(); ++row) {
    fGroups[row].Objects.resize(objectCount[row]);
    fGroups[row].Ticked = options.SelFoundObjs ? objectCount[row] : 0;
  }
  for (const auto& record : list) {
    const int slot = record ? slots.SlotOf(record->Category) : -1;
    if (slot < 0 || !HasRow(*record)) continue;
    const auto row = static_cast<std::size_t>(slots.RowOf(slot));
    const std::size_t place =
        record->Category == OBJTYPE_MRU ? --nextFirst[row] : nextAfter[row]++;
    fGroups[row].Objects[place] = record.get();
  }
  HeaderClick(REPORT_COLUMN_SIZE);
}

std::int64_t TReportModel::VisibleCount() const {
  std::int64_t count = 0;
  for (const TReportGroup& group : fGroups) {
    count += 1 + (group.Expanded ? static_cast<std::int64_t>(group.Objects.size()) : 0);
  }
  return count;
}

TReportRow TReportModel::RowAt(std::int64_t index) const {
  if (index < 0) return {};
  for (std::size_t row = 0; row < fGroups.size(); ++row) {
    if (index == 0) return {static_cast<int>(row), -1};
    --index;
    const TReportGroup& group = fGroups[row];
    if (!group.Expanded) continue;
    const auto size = static_cast<std::int64_t>(group.Objects.size());
    if (index < size) return {static_cast<int>(row), static_cast<int>(index)};
    index -= size;
  }
  return {};
}

std::int64_t TReportModel::IndexOf(TReportRow row) const {
  if (row.Group < 0 || static_cast<std::size_t>(row.Group) >= fGroups.size()) return -1;
  std::int64_t index = 0;
  for (int before = 0; before < row.Group; ++before) {
    const TReportGroup& group = fGroups[static_cast<std::size_t>(before)];
    index += 1 + (group.Expanded ? static_cast<std::int64_t>(group.Objects.size()) : 0);
  }
  if (row.IsGroup()) return index;
  const TReportGroup& group = fGroups[static_cast<std::size_t>(row.Group)];
  if (!group.Expanded || static_cast<std::size_t>(row.Object) >= group.Objects.size()) return -1;
  return index + 1 + row.Object;
}

const TFileRec* TReportModel::Record(TReportRow row) const {
  if (!row.Valid() || row.IsGroup() || static_cast<std::size_t>(row.Group) >= fGroups.size()) {
    return nullptr;
  }
  const auto& objects = fGroups[static_cast<std::size_t>(row.Group)].Objects;
  return static_cast<std::size_t>(row.Object) < objects.size()
             ? objects[static_cast<std::size_t>(row.Object)]
             : nullptr;
}

std::int64_t TReportModel::Count(TReportRow row) const {
  if (const TFileRec* record = Record(row)) return record->Count;
  return row.IsGroup() ? fGroups[static_cast<std::size_t>(row.Group)].Count : 0;
}

std::int64_t TReportModel::Size(TReportRow row) const {
  if (const TFileRec* record = Record(row)) return record->Size;
  return row.IsGroup() ? fGroups[static_cast<std::size_t>(row.Group)].Size : 0;
}

std::string TReportModel::Path(TReportRow row) const {
  const TFileRec* record = Record(row);
  return record != nullptr ? record->Path() : std::string();
}

std::string TReportModel::Text(TReportRow row) const {
  if (row.IsGroup()) return fGroups[static_cast<std::size_t>(row.Group)].Text;
  const TFileRec* record = Record(row);
  if (record == nullptr) return {};
  if (!fOptions.HidePath) return record->Path();
  if (record->Category == OBJTYPE_MRU) return ShortPath(record->Path());
  return WithoutOwner(record->Path(), record->Owner().Str());
}

std::string TReportModel::NameText(TReportRow row) const {
  const TFileRec* record = Record(row);
  if (record != nullptr && !record->Caption().empty()) return record->Caption().Str();
  return Text(row);
}

TMark TReportModel::MarkOf(TReportRow row) const {
  if (const TFileRec* record = Record(row)) {
    return record->Selected ? TMark::Checked : TMark::Unchecked;
  }
  if (!row.IsGroup() || static_cast<std::size_t>(row.Group) >= fGroups.size()) {
    return TMark::Unchecked;
  }
  const TReportGroup& group = fGroups[static_cast<std::size_t>(row.Group)];
  if (group.Objects.empty()) return group.Checked ? TMark::Checked : TMark::Unchecked;
  if (group.Ticked == 0) return TMark::Unchecked;
  return group.Ticked == group.Objects.size() ? TMark::Checked : TMark::Mixed;
}

void TReportModel::SetMark(TReportRow row, bool checked) {
  if (!row.Valid() || static_cast<std::size_t>(row.Group) >= fGroups.size()) return;
  TReportGroup& group = fGroups[static_cast<std::size_t>(row.Group)];
  if (row.IsGroup()) {
    group.Checked = checked;
    for (TFileRec* record : group.Objects) record->Selected = checked;
    group.Ticked = checked ? group.Objects.size() : 0;
    return;
  }
  if (static_cast<std::size_t>(row.Object) >= group.Objects.size()) return;
  TFileRec* record = group.Objects[static_cast<std::size_t>(row.Object)];
  if (record->Selected == checked) return;
  record->Selected = checked;
  group.Ticked = checked ? group.Ticked + 1 : group.Ticked - 1;
}

bool TReportModel::Expandable(int group) const {
  return group >= 0 && static_cast<std::size_t>(group) < fGroups.size() &&
         !fGroups[static_cast<std::size_t>(group)].Objects.empty();
}

void TReportModel::SetExpanded(int group, bool expanded) {
  if (Expandable(group)) fGroups[static_cast<std::size_t>(group)].Expanded = expanded;
}

void TReportModel::HeaderClick(int column) {
  if (column != REPORT_COLUMN_COUNT && column != REPORT_COLUMN_SIZE) return;
  fSort.Direction = fSort.Direction == TSortDirection::Ascending ? TSortDirection::Descending
                                                                 : TSortDirection::Ascending;
  fSort.Column = column;
  SortBy(column);
}

void TReportModel::SortBy(int column) {
  SortByKey(fGroups, fSort.Direction, [column](const TReportGroup& group) {
    return column == REPORT_COLUMN_COUNT ? group.Count : group.Size;
  });
  if (column != REPORT_COLUMN_SIZE) return;
  for (TReportGroup& group : fGroups) {
    SortByKey(group.Objects, fSort.Direction, [](const TFileRec* record) { return record->Size; });
  }
}

std::string TReportModel::SavedListText() const {
  std::string text;
  for (const TReportGroup& group : fGroups) {
    text += '[';
    text += group.Text;
    text += ", objects ";
    text += std::to_string(group.Count);
    text += ", size ";
    text += std::to_string(group.Size);
    text += "]\r\n";
    for (const TFileRec* record : group.Objects) {
      text += "    ";
      text += record->Folder();
      text += record->Name();
      text += ", type ";
      text += std::to_string(record->Category);
      text += ", count ";
      text += std::to_string(record->Count);
      text += ", size ";
      text += std::to_string(record->Size);
      text += "\r\n";
    }
  }
  return text;
}

std::size_t TReportModel::ObjectRowBytes() const {
  std::size_t bytes = 0;
  for (const TReportGroup& group : fGroups) bytes += group.Objects.capacity() * sizeof(TFileRec*);
  return bytes;
}

}  // namespace qlm
