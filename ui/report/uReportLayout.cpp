#include "ui/report/uReportLayout.h"

#include <algorithm>

namespace qlm {

namespace {
// Rows are walked one by one only across a view's height; the view never
// holds more than a few hundred, whatever the report's size.
std::int64_t RowsFillingUp(const TReportModel& model, TRowHeights heights, std::int64_t last,
                           int viewHeight) {
  std::int64_t first = last;
  int used = heights.Of(model, last);
  while (first > 0) {
    const int above = heights.Of(model, first - 1);
    if (used + above > viewHeight) break;
    used += above;
    --first;
  }
  return first;
}
}  // namespace

std::int64_t MaxTopRow(const TReportModel& model, TRowHeights heights, int viewHeight) {
  const std::int64_t count = model.VisibleCount();
  if (count == 0) return 0;
  return RowsFillingUp(model, heights, count - 1, viewHeight);
}

std::int64_t RowAtHeight(const TReportModel& model, TRowHeights heights, std::int64_t top,
                         int y) {
  if (y < 0) return -1;
  const std::int64_t count = model.VisibleCount();
  int bottom = 0;
  for (std::int64_t index = top; index < count; ++index) {
    bottom += heights.Of(model, index);
    if (y < bottom) return index;
  }
  return -1;
}

int RowTop(const TReportModel& model, TRowHeights heights, std::int64_t top, std::int64_t index,
           int viewHeight) {
  if (index < top) return -1;
  int y = 0;
  for (std::int64_t row = top; row < index; ++row) {
    y += heights.Of(model, row);
    if (y >= viewHeight) return -1;
  }
  return y;
}

std::int64_t TopToShow(const TReportModel& model, TRowHeights heights, std::int64_t top,
                       std::int64_t index, int viewHeight) {
  if (index < top) return index;
  const int y = RowTop(model, heights, top, index, viewHeight);
  if (y >= 0 && y + heights.Of(model, index) <= viewHeight) return top;
  return RowsFillingUp(model, heights, index, viewHeight);
}

std::int64_t RowsOnPage(const TReportModel& model, TRowHeights heights, std::int64_t top,
                        int viewHeight) {
  const std::int64_t count = model.VisibleCount();
  std::int64_t rows = 0;
  int used = 0;
  for (std::int64_t index = top; index < count; ++index) {
    used += heights.Of(model, index);
    if (used > viewHeight) break;
    ++rows;
  }
  return std::max<std::int64_t>(rows, 1);
}

}  // namespace qlm
