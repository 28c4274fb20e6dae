// How the report's tree draws itself: rows with tree lines, buttons, the
// marks from the program's own picture strip and whole-row selection, the
// header items in the report's band colour with their sort marks.
#include <algorithm>

#include "ui/controls/uPainting.h"
#include "ui/report/uReportTree.h"

namespace qlm {

namespace {
constexpr COLORREF kHeaderBand = RGB(0xE8, 0xE7, 0xE3);
constexpr COLORREF kHeaderPressed = RGB(0xD6, 0xD5, 0xD0);
constexpr COLORREF kHeaderLine = RGB(0xA0, 0xA0, 0x96);
constexpr COLORREF kTreeLine = RGB(0xA0, 0xA0, 0xA0);
constexpr COLORREF kButtonBorder = RGB(0x91, 0x91, 0x91);
constexpr COLORREF kButtonSign = RGB(0x30, 0x30, 0x30);
constexpr COLORREF kSortMark = RGB(0x56, 0x5A, 0x62);
constexpr int kMargin = 2;
constexpr int kCellPadding = 6;
constexpr int kCheckFrame = 16;
// Frames of the strip: unchecked, checked, mixed; each plain then hot.
constexpr int kHotFrame = 1;

HBITMAP CheckStrip() {
  static TBitmap strip(static_cast<HBITMAP>(::LoadImageA(
      ::GetModuleHandleA(nullptr), REPORT_CHECKS_PICTURE, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  return strip.Get();
}

// Dots on every other pixel, placed by their distance from the client's
// origin, so that lines of neighbouring rows join without a seam.
void DottedLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour) {
  if (x0 == x1) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) {
      if (((x0 + y) & 1) == 0) ::SetPixelV(dc, x0, y, colour);
    }
  } else {
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) {
      if (((x + y0) & 1) == 0) ::SetPixelV(dc, x, y0, colour);
    }
  }
}

void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour) {
  ::SetDCPenColor(dc, colour);
  HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DC_PEN));
  ::MoveToEx(dc, x0, y0, nullptr);
  ::LineTo(dc, x1, y1);
  ::SelectObject(dc, old);
}
}  // namespace

int TReportTree::ColumnSpans(TColumnSpan (&spans)[REPORT_COLUMNS]) const {
  int order[REPORT_COLUMNS] = {};
  const int count = std::min(Header_GetItemCount(fHeader), REPORT_COLUMNS);
  if (count <= 0 || !Header_GetOrderArray(fHeader, count, order)) return 0;
  for (int at = 0; at < count; ++at) {
    RECT rect{};
    Header_GetItemRect(fHeader, order[at], &rect);
    spans[at] = {order[at], rect.left - fScrollX, rect.right - fScrollX};
  }
  return count;
}

bool TReportTree::SpanOf(int column, TColumnSpan& span) const {
  TColumnSpan spans[REPORT_COLUMNS];
  const int count = ColumnSpans(spans);
  for (int at = 0; at < count; ++at) {
    if (spans[at].Column != column) continue;
    span = spans[at];
    return true;
  }
  return false;
}

HFONT TReportTree::RowFont(TReportRow row) const {
  return row.IsGroup() && fBoldFont ? static_cast<HFONT>(fBoldFont.Get()) : Font();
}

RECT TReportTree::TextRect(const TColumnSpan& span, TReportRow row, int top, int bottom) const {
  const int left = span.Column == REPORT_COLUMN_NAME ? span.Left + TextLeft(row) : span.Left;
  return {left, top, span.Right - kCellPadding, bottom};
}

int TReportTree::CheckLeft(TReportRow row) const {
  return kMargin + (row.IsGroup() ? fIndent : 2 * fIndent);
}

int TReportTree::TextLeft(TReportRow row) const {
  return CheckLeft(row) + fCheckSize + ::MulDiv(4, fCheckSize, kCheckFrame);
}

void TReportTree::Paint(HDC dc, const RECT& client) {
  FillSolid(dc, client, ::GetSysColor(COLOR_WINDOW));
  const int headerRight = ColumnsWidth() - fScrollX;
  if (headerRight < client.right) {
    FillSolid(dc, {headerRight, 0, client.right, fHeaderHeight}, kHeaderBand);
    Line(dc, headerRight, fHeaderHeight - 1, client.right, fHeaderHeight - 1, kHeaderLine);
  }
  if (fModel == nullptr) return;
  TColumnSpan spans[REPORT_COLUMNS];
  const int count = ColumnSpans(spans);
  const std::int64_t rows = fModel->VisibleCount();
  int y = fHeaderHeight;
  for (std::int64_t index = fTop; index < rows && y < client.bottom; ++index) {
    const TReportRow row = fModel->RowAt(index);
    const int height = row.IsGroup() ? fHeights.Group : fHeights.Object;
    PaintRow(dc, row, index, {client.left, y, client.right, y + height}, spans, count);
    y += height;
  }
}

void TReportTree::PaintRow(HDC dc, TReportRow row, std::int64_t index, const RECT& area,
                           const TColumnSpan* spans, int count) const {
  const bool selected = row == fSelected;
  const bool focused = Focused();
  if (selected) {
    FillSolid(dc, area, ::GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  }
  Line(dc, area.left, area.bottom - 1, area.right, area.bottom - 1, ::GetSysColor(COLOR_BTNFACE));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(selected && focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  TSelectedObject selectedFont(dc, RowFont(row));
  for (int at = 0; at < count; ++at) {
    const TColumnSpan& span = spans[at];
    if (span.Right <= area.left || span.Left >= area.right) continue;
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, span.Left, area.top, span.Right, area.bottom - 1);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    // A path too long for its cell keeps its file name in view.
    format |= span.Column == REPORT_COLUMN_NAME && !row.IsGroup() ? DT_PATH_ELLIPSIS
                                                                  : DT_END_ELLIPSIS;
    if (span.Column == REPORT_COLUMN_NAME) {
      PaintTreeLines(dc, row, index, area, span.Left);
      const int checkTop = area.top + (area.bottom - area.top - fCheckSize) / 2;
      PaintCheck(dc, span.Left + CheckLeft(row), checkTop, fModel->MarkOf(row), row == fHotCheck);
    } else {
      format |= DT_RIGHT;
    }
    RECT cell = TextRect(span, row, area.top, area.bottom - 1);
    const std::string text = CellText(row, span.Column);
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell, format);
    ::RestoreDC(dc, saved);
  }
  // The focus shows on the selected row, or on the top row while none is.
  if (focused && (selected || (!fSelected.Valid() && index == fTop))) {
    RECT focus{area.left, area.top, area.right, area.bottom - 1};
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::DrawFocusRect(dc, &focus);
  }
}

void TReportTree::PaintTreeLines(HDC dc, TReportRow row, std::int64_t index, const RECT& area,
                                 int left) const {
  const auto& groups = fModel->Groups();
  const bool lastGroup = row.Group + 1 == static_cast<int>(groups.size());
  const int rootX = left + kMargin + fIndent / 2;
  const int middle = (area.top + area.bottom) / 2;
  if (row.IsGroup()) {
    // The root line joins the category rows; an expanded row's own line
    // starts below it.
    DottedLine(dc, rootX, index == 0 ? middle : area.top, rootX, lastGroup ? middle : area.bottom,
               kTreeLine);
    DottedLine(dc, rootX, middle, left + CheckLeft(row) - 2, middle, kTreeLine);
    const auto& group = groups[row.Group];
    if (group.Expanded && !group.Objects.empty()) {
      const int childX = rootX + fIndent;
      DottedLine(dc, childX, area.top + (area.bottom - area.top + fCheckSize) / 2 + 1, childX,
                 area.bottom, kTreeLine);
    }
    if (fModel->Expandable(row.Group)) {
      const int half = ::MulDiv(4, fCheckSize, kCheckFrame);
      PaintButton(dc, {rootX - half, middle - half, rootX + half + 1, middle + half + 1},
                  group.Expanded);
    }
    return;
  }
  if (!lastGroup) DottedLine(dc, rootX, area.top, rootX, area.bottom, kTreeLine);
  const bool lastObject =
      row.Object + 1 == static_cast<int>(groups[row.Group].Objects.size());
  const int childX = rootX + fIndent;
  DottedLine(dc, childX, area.top, childX, lastObject ? middle : area.bottom, kTreeLine);
  DottedLine(dc, childX, middle, left + CheckLeft(row) - 2, middle, kTreeLine);
}

void TReportTree::PaintButton(HDC dc, const RECT& box, bool expanded) const {
  FillSolid(dc, box, ::GetSysColor(COLOR_WINDOW));
  ::SetDCPenColor(dc, kButtonBorder);
  HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(DC_PEN));
  HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
  ::SelectObject(dc, oldBrush);
  ::SelectObject(dc, oldPen);
  const int x = (box.left + box.right) / 2;
  const int y = (box.top + box.bottom) / 2;
  const int arm = (box.right - box.left) / 2 - 2;
  Line(dc, x - arm, y, x + arm + 1, y, kButtonSign);
  if (!expanded) Line(dc, x, y - arm, x, y + arm + 1, kButtonSign);
}

void TReportTree::PaintCheck(HDC dc, int x, int y, TMark mark, bool hot) const {
  const int frame = 2 * static_cast<int>(mark) + (hot ? kHotFrame : 0);
  HBITMAP strip = CheckStrip();
  TMemoryDC source(strip != nullptr ? ::CreateCompatibleDC(dc) : nullptr);
  if (!source) {
    RECT box{x, y, x + fCheckSize, y + fCheckSize};
    UINT look = DFCS_BUTTONCHECK | (mark == TMark::Unchecked ? 0 : DFCS_CHECKED);
    if (mark == TMark::Mixed) look = DFCS_BUTTON3STATE | DFCS_CHECKED;
    ::DrawFrameControl(dc, &box, DFC_BUTTON, look);
    return;
  }
  TSelectedObject picture(source.Get(), strip);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(dc, x, y, fCheckSize, fCheckSize, source.Get(), frame * kCheckFrame, 0, kCheckFrame,
               kCheckFrame, blend);
}

void TReportTree::PaintHeaderItem(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  const RECT& box = item.rcItem;
  FillSolid(dc, box, (item.itemState & ODS_SELECTED) != 0 ? kHeaderPressed : kHeaderBand);
  Line(dc, box.left, box.bottom - 1, box.right, box.bottom - 1, kHeaderLine);
  Line(dc, box.right - 1, box.top + 3, box.right - 1, box.bottom - 4, kHeaderLine);
  char caption[256] = {};
  HDITEMA header{};
  header.mask = HDI_TEXT | HDI_FORMAT;
  header.pszText = caption;
  header.cchTextMax = sizeof caption;
  ::SendMessageA(fHeader, HDM_GETITEMA, item.itemID, reinterpret_cast<LPARAM>(&header));
  RECT text{box.left + kCellPadding, box.top, box.right - kCellPadding, box.bottom};
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  TSelectedObject font(dc, Font());
  const bool right = (header.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT;
  const bool sorted = fModel != nullptr && fModel->Sort().Column == static_cast<int>(item.itemID);
  // The sort mark stands beside the caption, on the side away from the
  // column's edge: the caption gives way to it when the column is narrow.
  const int half = ::MulDiv(4, fCheckSize, kCheckFrame);
  const int room = 2 * half + kCellPadding;
  if (sorted && right) text.left += room;
  if (sorted && !right) text.right -= room;
  ::DrawTextA(dc, caption, -1, &text,
              (right ? DT_RIGHT : DT_LEFT) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                  DT_END_ELLIPSIS);
  if (!sorted) return;
  SIZE extent{};
  ::GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &extent);
  const int width = std::min<int>(extent.cx, text.right - text.left);
  const int x = right ? text.right - width - kCellPadding / 2 - half
                      : text.left + width + kCellPadding / 2 + half;
  const bool up = fModel->Sort().Direction == TSortDirection::Ascending;
  const int top = (box.top + box.bottom - half) / 2;
  for (int step = 0; step < half; ++step) {
    const int y = up ? top + step : top + half - 1 - step;
    Line(dc, x - step, y, x + step + 1, y, kSortMark);
  }
}

}  // namespace qlm
