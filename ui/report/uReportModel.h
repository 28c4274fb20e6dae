// The report's rows as data: one category row per group of found objects,
// owning its object rows as references to the records of the found list.
// The rows on screen are computed from the category rows and their expanded
// state, so a million objects cost one pointer each and nothing per window
// item. The marks are the records' Selected flags, which the clean obeys:
// the model is the only way the report changes them, so the two never
// disagree. Free of Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/uFileRec.h"
#include "engine/uFoundList.h"

namespace qlm {

enum class TMark : std::uint8_t { Unchecked, Checked, Mixed };
enum class TSortDirection : std::uint8_t { Ascending, Descending };

// The report's columns.
inline constexpr int REPORT_COLUMN_NAME = 0;
inline constexpr int REPORT_COLUMN_COUNT = 1;
inline constexpr int REPORT_COLUMN_SIZE = 2;
inline constexpr int REPORT_COLUMNS = 3;

struct TReportOptions {
  bool SelFoundObjs = false;  // the initial mark
  bool HidePath = false;      // paths shown without their owner folder
  bool ShowFiles = false;     // cache objects as rows
};

// A category row or one of its object rows (Object < 0: the category row).
struct TReportRow {
  int Group = -1;
  int Object = -1;

  bool Valid() const { return Group >= 0; }
  bool IsGroup() const { return Group >= 0 && Object < 0; }
  friend bool operator==(const TReportRow&, const TReportRow&) = default;
};

struct TReportGroup {
  int Category = 0;  // the row's value: 0 where the row gathers several categories
  std::string Text;
  std::int64_t Count = 0;
  std::int64_t Size = 0;
  std::vector<TFileRec*> Objects;
  // The cache row while cache objects are not rows: it only sums, and its
  // mark is its own.
  bool SumsOnly = false;
  bool Checked = false;
  bool Expanded = false;
  std::size_t Ticked = 0;  // object rows whose record is selected
};

struct TSortState {
  int Column = -1;  // none yet
  TSortDirection Direction = TSortDirection::Ascending;
};

class TReportModel {
 public:
  // Builds the rows from the list: the grouping of the found categories,
  // one row per custom define (customNames by slot), category 21 first in
  // its row, the cache row summing only without "showfiles". Every record
  // shown takes the initial mark; a record the report cannot show is never
  // selected, since the user could not untick it. Ends sorted by size in
  // the direction opposite to the previous sort.
  void Fill(TFoundList& list, const std::vector<std::string>& customNames,
            const TReportOptions& options);
  void Clear();

  const std::vector<TReportGroup>& Groups() const { return fGroups; }

  // The rows on screen, top to bottom: each category row followed by its
  // object rows while it is expanded.
  std::int64_t VisibleCount() const;
  TReportRow RowAt(std::int64_t index) const;
  // The row's place among the visible rows; -1 when it is hidden or gone.
  std::int64_t IndexOf(TReportRow row) const;
  // The category row above an object row, the row itself for a category row.
  static TReportRow GroupRow(TReportRow row) { return {row.Group, -1}; }

  // A row's record (none for a category row), its figures and texts.
  const TFileRec* Record(TReportRow row) const;
  std::int64_t Count(TReportRow row) const;
  std::int64_t Size(TReportRow row) const;
  std::string Path(TReportRow row) const;
  // The category's name, or the object's path as the report shows it.
  std::string Text(TReportRow row) const;
  // The Name column: an object's caption where it has one, else Text.
  std::string NameText(TReportRow row) const;

  // An object row's mark is its record's flag; a category row's follows its
  // object rows, mixed when they differ.
  TMark MarkOf(TReportRow row) const;
  // An object row sets its record; a category row sets every object row
  // under it, or its own mark when it only sums.
  void SetMark(TReportRow row, bool checked);

  bool Expandable(int group) const;
  void SetExpanded(int group, bool expanded);

  // A click on a column header: the Name column does nothing; any other
  // reverses the direction, becomes the sort column and sorts (Count: the
  // category rows; Size: the category rows, then the objects of each).
  void HeaderClick(int column);
  TSortState Sort() const { return fSort; }

  // The saved object list: every row, ticked or not, in the current order;
  // lines end in CR LF.
  std::string SavedListText() const;
  // The memory that the object rows hold, in bytes.
  std::size_t ObjectRowBytes() const;

 private:
  // Whether a record gets an object row: cache objects only with
  // "showfiles".
  bool HasRow(const TFileRec& record) const;
  void SortBy(int column);

  std::vector<TReportGroup> fGroups;
  TReportOptions fOptions;
  TSortState fSort;
};

// The path without the first occurrence of the owner folder, compared
// without regard to case.
std::string WithoutOwner(const std::string& path, const std::string& owner);

}  // namespace qlm
