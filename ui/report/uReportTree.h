// TReportTree: the report's check-box tree. It shows a TReportModel that its
// owner keeps: the rows on screen are computed from the model, so the tree
// holds no item per object and a million objects scroll, expand and tick at
// once. A header control above the rows gives the columns their widths,
// order and sort marks. The tree asks its parent for the text of each cell
// it paints and tells it of mark changes and header clicks through
// WM_NOTIFY; the right mouse button and the menu key reach the parent as
// WM_CONTEXTMENU.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>

#include "base/uHandles.h"
#include "ui/controls/uControlWindow.h"
#include "ui/report/uReportLayout.h"
#include "ui/report/uReportModel.h"

namespace qlm {

inline constexpr char REPORT_TREE_CLASS[] = "TReportTree";
// The picture strip of the marks: unchecked, checked and mixed, each plain
// and under the mouse, 16 by 16.
inline constexpr char REPORT_CHECKS_PICTURE[] = "REPORTCHECKS";

// WM_NOTIFY codes sent to the parent.
inline constexpr UINT RTN_GETTEXT = 0U - 3001U;      // TReportTextRequest
inline constexpr UINT RTN_CHECKING = 0U - 3002U;     // TReportCheckNotice
inline constexpr UINT RTN_HEADERCLICK = 0U - 3003U;  // TReportHeaderNotice
inline constexpr UINT RTN_GETHINT = 0U - 3004U;      // TReportTextRequest

struct TReportTextRequest {
  NMHDR Header;
  TReportRow Row;
  int Column;
  std::string* Text;  // filled by the parent
};

struct TReportCheckNotice {
  NMHDR Header;
  TReportRow Row;
  bool Checked;  // the new mark
};

struct TReportHeaderNotice {
  NMHDR Header;
  int Column;
};

// Where a point falls on a row.
enum class TRowPart { None, Button, Check, Cell };

struct TReportHit {
  TReportRow Row;
  std::int64_t Index = -1;
  int Column = -1;
  TRowPart Part = TRowPart::None;
};

class TReportTree final : public TControlWindow {
 public:
  explicit TReportTree(HWND window);
  static bool Register(HINSTANCE instance);
  static TReportTree* From(HWND window);

  // The model stays its owner's; the tree only reads it and expands rows.
  void SetModel(TReportModel* model);
  // After the model was refilled: back to the top, nothing selected.
  void Reset();
  // After the model changed (a fill, a sort or new marks): the view keeps
  // its place and its selected row where they still exist.
  void Refresh();

  bool AddColumn(int width, bool alignRight);
  void SetColumnText(int column, const std::string& text);
  int ColumnWidth(int column) const;
  HWND Header() const { return fHeader; }
  // The tooltip that shows the whole text of a cut cell.
  HWND Hints() const { return fTips; }

  TReportRow Selection() const { return fSelected; }
  // Selects a row and scrolls it into view; an invalid row selects nothing.
  void Select(TReportRow row);
  void SetExpanded(int group, bool expanded);
  // Flips a row's mark as a click on its box does, through the parent.
  void ToggleMark(TReportRow row);
  // A click on a column's header: the parent sorts, the selection stays on
  // its row.
  void ClickHeader(int column);

  std::int64_t TopIndex() const { return fTop; }
  void ScrollTo(std::int64_t top);
  TReportHit HitTest(POINT client) const;
  // The row's rectangle in client coordinates; empty when it is not in view.
  RECT RowRect(TReportRow row) const;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client) override;

  bool CreateParts();
  void FontChanged(HFONT font);
  void Layout();
  RECT RowsArea() const;
  int ViewHeight() const;
  int ColumnsWidth() const;
  void UpdateScrollBars();
  void SetScrollBar(int bar, int maximum, int page, int position);
  void ScrollHorizontally(int x);
  void VScroll(WORD code);
  void HScroll(WORD code);
  void Wheel(short delta);
  void KeyDown(WPARAM key);
  void MoveSelection(std::int64_t index);
  void ButtonDown(POINT point, bool doubleClick);
  void MouseMove(POINT point);
  LRESULT HeaderNotify(const NMHDR& header);
  void AutoSizeColumn(int column);
  LRESULT HintText(NMTTDISPINFOA& info);
  void SendContextMenu();
  void KeepSelection(const TFileRec* record, std::string groupText);
  // WM_NOTIFY to the parent with the tree's own header; 0 without a parent.
  LRESULT SendNotify(NMHDR& header, UINT code) const;
  std::string CellText(TReportRow row, int column) const;
  bool Focused() const;

  // Painting (uReportTreePaint.cpp).
  struct TColumnSpan {
    int Column;
    int Left;
    int Right;
  };
  int ColumnSpans(TColumnSpan (&spans)[REPORT_COLUMNS]) const;
  bool SpanOf(int column, TColumnSpan& span) const;
  HFONT RowFont(TReportRow row) const;
  // Where a cell's text goes, between the tree's parts and the padding.
  RECT TextRect(const TColumnSpan& span, TReportRow row, int top, int bottom) const;
  void PaintRow(HDC dc, TReportRow row, std::int64_t index, const RECT& area,
                const TColumnSpan* spans, int count) const;
  void PaintTreeLines(HDC dc, TReportRow row, std::int64_t index, const RECT& area,
                      int left) const;
  void PaintButton(HDC dc, const RECT& box, bool expanded) const;
  void PaintCheck(HDC dc, int x, int y, TMark mark, bool hot) const;
  void PaintHeaderItem(const DRAWITEMSTRUCT& item) const;
  int CheckLeft(TReportRow row) const;
  int TextLeft(TReportRow row) const;

  TReportModel* fModel = nullptr;
  HWND fHeader = nullptr;
  HWND fTips = nullptr;
  TGdiObject fBoldFont;
  TRowHeights fHeights;
  int fHeaderHeight = 0;
  int fIndent = 18;
  int fCheckSize = 16;
  std::int64_t fTop = 0;
  int fScrollX = 0;
  TReportRow fSelected;
  TReportRow fHotCheck;
  TReportRow fHintRow;
  int fHintColumn = -1;
  std::string fHintText;
  int fWheelRest = 0;
  struct TScrollState {
    int Maximum = -1;
    int Page = 0;
    int Position = 0;
    friend bool operator==(const TScrollState&, const TScrollState&) = default;
  };
  TScrollState fVertical;
  TScrollState fHorizontal;
};

}  // namespace qlm
