// The vertical arithmetic of the report's rows: category rows and object
// rows have their own heights, the view starts at a top row, and scrolling
// stops where the last row touches the bottom. Free of Windows headers.
#pragma once

#include <cstdint>

#include "ui/report/uReportModel.h"

namespace qlm {

struct TRowHeights {
  int Group = 32;
  int Object = 18;

  int Of(const TReportModel& model, std::int64_t index) const {
    return model.RowAt(index).IsGroup() ? Group : Object;
  }
};

// The highest top row that still fills the view to its bottom.
std::int64_t MaxTopRow(const TReportModel& model, TRowHeights heights, int viewHeight);
// The visible row at a height below the view's top; -1 below the last row.
std::int64_t RowAtHeight(const TReportModel& model, TRowHeights heights, std::int64_t top, int y);
// The height of a row's top edge below the view's top, or -1 when the row
// is above the top or lies wholly below the view.
int RowTop(const TReportModel& model, TRowHeights heights, std::int64_t top, std::int64_t index,
           int viewHeight);
// The top row that brings a row wholly into view with the least movement.
std::int64_t TopToShow(const TReportModel& model, TRowHeights heights, std::int64_t top,
                       std::int64_t index, int viewHeight);
// Rows that fit below a top row (at least one).
std::int64_t RowsOnPage(const TReportModel& model, TRowHeights heights, std::int64_t top,
                        int viewHeight);

}  // namespace qlm
