#include "ui/report/uReportTree.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/controls/uScrollRequest.h"

namespace qlm {

namespace {
constexpr int kMaxTipWidth = 600;
constexpr int kAutoSizePadding = 12;

int Scaled(int pixels) { return ::MulDiv(pixels, ScreenDpi(), 96); }

bool ShiftDown() { return (::GetKeyState(VK_SHIFT) & 0x8000) != 0; }
}  // namespace

TReportTree::TReportTree(HWND window) : TControlWindow(window) {
  fHeights.Group = Scaled(32);
  fHeights.Object = Scaled(18);
  fIndent = Scaled(18);
  fCheckSize = Scaled(16);
}

bool TReportTree::Register(HINSTANCE instance) {
  return RegisterControlClass(instance, REPORT_TREE_CLASS, &Procedure<TReportTree>, CS_DBLCLKS);
}

TReportTree* TReportTree::From(HWND window) {
  return FromWindow<TReportTree>(window, REPORT_TREE_CLASS);
}

bool TReportTree::CreateParts() {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(fHandle, GWLP_HINSTANCE));
  fHeader = ::CreateWindowExA(0, WC_HEADERA, "",
                              WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_HORZ | HDS_DRAGDROP |
                                  HDS_FULLDRAG,
                              0, 0, 0, 0, fHandle, nullptr, instance, nullptr);
  if (fHeader == nullptr) return false;
  fTips = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                            WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, fHandle, nullptr, instance, nullptr);
  if (fTips == nullptr) return false;
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = fHandle;
  tool.uId = reinterpret_cast<UINT_PTR>(fHandle);
  tool.lpszText = LPSTR_TEXTCALLBACKA;
  ::SendMessageA(fTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  ::SendMessageA(fTips, TTM_SETMAXTIPWIDTH, 0, Scaled(kMaxTipWidth));
  return true;
}

void TReportTree::FontChanged(HFONT font) {
  ::SendMessageA(fHeader, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SendMessageA(fTips, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  LOGFONTA bold{};
  if (::GetObjectA(Font(), sizeof bold, &bold) == sizeof bold) {
    bold.lfWeight = FW_BOLD;
    fBoldFont.Reset(::CreateFontIndirectA(&bold));
  }
  // An object row holds one line of the font with room above and below.
  const SIZE line = TextExtent("Ag", DT_SINGLELINE, 0);
  fHeights.Object = std::max<int>(Scaled(18), line.cy + Scaled(4));
  Layout();
}

void TReportTree::SetModel(TReportModel* model) {
  fModel = model;
  Reset();
}

void TReportTree::Reset() {
  fTop = 0;
  fScrollX = 0;
  fSelected = {};
  fHotCheck = {};
  Refresh();
}

void TReportTree::Refresh() {
  if (fModel == nullptr || fModel->IndexOf(fSelected) < 0) fSelected = {};
  Layout();
  ScrollTo(fTop);
  ::InvalidateRect(fHeader, nullptr, FALSE);
  Repaint();
}

bool TReportTree::AddColumn(int width, bool alignRight) {
  HDITEMA item{};
  item.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
  item.cxy = width;
  item.fmt = HDF_OWNERDRAW | (alignRight ? HDF_RIGHT : HDF_LEFT);
  item.pszText = const_cast<char*>("");
  const int count = Header_GetItemCount(fHeader);
  if (count >= REPORT_COLUMNS ||
      ::SendMessageA(fHeader, HDM_INSERTITEMA, count, reinterpret_cast<LPARAM>(&item)) < 0) {
    return false;
  }
  Layout();
  return true;
}

void TReportTree::SetColumnText(int column, const std::string& text) {
  HDITEMA item{};
  item.mask = HDI_TEXT;
  item.pszText = const_cast<char*>(text.c_str());
  ::SendMessageA(fHeader, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
}

int TReportTree::ColumnWidth(int column) const {
  RECT rect{};
  return Header_GetItemRect(fHeader, column, &rect) ? rect.right - rect.left : 0;
}

int TReportTree::ColumnsWidth() const {
  int width = 0;
  for (int column = 0; column < Header_GetItemCount(fHeader); ++column) {
    width += ColumnWidth(column);
  }
  return width;
}

RECT TReportTree::RowsArea() const {
  RECT client{};
  ::GetClientRect(fHandle, &client);
  client.top = std::min<LONG>(fHeaderHeight, client.bottom);
  return client;
}

int TReportTree::ViewHeight() const {
  const RECT area = RowsArea();
  return area.bottom - area.top;
}

void TReportTree::Layout() {
  if (fHeader == nullptr) return;
  // Showing or hiding a scroll bar changes the client area once more.
  for (int pass = 0; pass < 2; ++pass) {
    RECT client{};
    ::GetClientRect(fHandle, &client);
    WINDOWPOS place{};
    HDLAYOUT layout{&client, &place};
    if (Header_Layout(fHeader, &layout)) fHeaderHeight = place.cy;
    // The header is as wide as its columns; the band to its right is the
    // tree's own, painted in the header's colour.
    const RECT wanted{-fScrollX, 0, -fScrollX + std::max(ColumnsWidth(), 1), fHeaderHeight};
    RECT placed{};
    ::GetWindowRect(fHeader, &placed);
    ::MapWindowPoints(nullptr, fHandle, reinterpret_cast<POINT*>(&placed), 2);
    if (!::EqualRect(&wanted, &placed)) {
      ::SetWindowPos(fHeader, nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                     wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UpdateScrollBars();
  }
}

void TReportTree::SetScrollBar(int bar, int maximum, int page, int position) {
  // Setting a bar repaints it at once: only a change is worth it.
  TScrollState& state = bar == SB_VERT ? fVertical : fHorizontal;
  const TScrollState wanted{maximum, page, position};
  if (state == wanted) return;
  state = wanted;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = maximum;
  info.nPage = static_cast<UINT>(page);
  info.nPos = position;
  ::SetScrollInfo(fHandle, bar, &info, TRUE);
}

void TReportTree::UpdateScrollBars() {
  const std::int64_t count = fModel != nullptr ? fModel->VisibleCount() : 0;
  const std::int64_t maxTop = fModel != nullptr ? MaxTopRow(*fModel, fHeights, ViewHeight()) : 0;
  SetScrollBar(SB_VERT, static_cast<int>(std::max<std::int64_t>(count - 1, 0)),
               static_cast<int>(std::max<std::int64_t>(count - maxTop, 1)), static_cast<int>(fTop));
  RECT client{};
  ::GetClientRect(fHandle, &client);
  fScrollX = std::clamp(fScrollX, 0, std::max(0, ColumnsWidth() - static_cast<int>(client.right)));
  SetScrollBar(SB_HORZ, std::max(ColumnsWidth() - 1, 0), std::max<int>(client.right, 1), fScrollX);
}

void TReportTree::ScrollTo(std::int64_t top) {
  const std::int64_t maxTop = fModel != nullptr ? MaxTopRow(*fModel, fHeights, ViewHeight()) : 0;
  top = std::clamp<std::int64_t>(top, 0, maxTop);
  if (top != fTop) Repaint();
  fTop = top;
  UpdateScrollBars();
}

void TReportTree::ScrollHorizontally(int x) {
  RECT client{};
  ::GetClientRect(fHandle, &client);
  x = std::clamp(x, 0, std::max(0, ColumnsWidth() - static_cast<int>(client.right)));
  if (x == fScrollX) return;
  fScrollX = x;
  Layout();
  Repaint();
}

void TReportTree::VScroll(WORD code) {
  if (fModel == nullptr) return;
  const std::int64_t page = RowsOnPage(*fModel, fHeights, fTop, ViewHeight());
  const auto target =
      ScrollRequestTarget(fHandle, SB_VERT, code, fTop, {1, page, fModel->VisibleCount()});
  if (target) ScrollTo(*target);
}

void TReportTree::HScroll(WORD code) {
  RECT client{};
  ::GetClientRect(fHandle, &client);
  const auto target =
      ScrollRequestTarget(fHandle, SB_HORZ, code, fScrollX, {fIndent, client.right, ColumnsWidth()});
  if (target) ScrollHorizontally(static_cast<int>(*target));
}

void TReportTree::Wheel(short delta) {
  UINT lines = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  fWheelRest += delta;
  const int notches = fWheelRest / WHEEL_DELTA;
  fWheelRest -= notches * WHEEL_DELTA;
  if (notches == 0 || fModel == nullptr) return;
  if (lines == WHEEL_PAGESCROLL) {
    lines = static_cast<UINT>(RowsOnPage(*fModel, fHeights, fTop, ViewHeight()));
  }
  ScrollTo(fTop - static_cast<std::int64_t>(notches) * lines);
}

void TReportTree::Select(TReportRow row) {
  const std::int64_t index = fModel != nullptr ? fModel->IndexOf(row) : -1;
  fSelected = index >= 0 ? row : TReportRow{};
  if (index >= 0) ScrollTo(TopToShow(*fModel, fHeights, fTop, index, ViewHeight()));
  Repaint();
}

void TReportTree::MoveSelection(std::int64_t index) {
  if (fModel == nullptr) return;
  const std::int64_t count = fModel->VisibleCount();
  if (count == 0) return;
  Select(fModel->RowAt(std::clamp<std::int64_t>(index, 0, count - 1)));
}

void TReportTree::SetExpanded(int group, bool expanded) {
  if (fModel == nullptr || !fModel->Expandable(group)) return;
  // The row at the top stays at the top; rows hidden by a collapse give way
  // to their category row.
  TReportRow topRow = fModel->RowAt(fTop);
  fModel->SetExpanded(group, expanded);
  if (!expanded && topRow.Group == group) topRow = TReportModel::GroupRow(topRow);
  if (!expanded && fSelected.Group == group) fSelected = TReportModel::GroupRow(fSelected);
  Layout();
  fTop = std::max<std::int64_t>(fModel->IndexOf(topRow), 0);
  ScrollTo(fTop);
  if (expanded) {
    // As many of the new rows as fit come into view, the category row
    // staying in view above them.
    const std::int64_t groupIndex = fModel->IndexOf({group, -1});
    const std::int64_t last =
        groupIndex + static_cast<std::int64_t>(fModel->Groups()[group].Objects.size());
    ScrollTo(std::min(TopToShow(*fModel, fHeights, fTop, last, ViewHeight()), groupIndex));
  }
  Repaint();
}

void TReportTree::ToggleMark(TReportRow row) {
  if (fModel == nullptr || fModel->IndexOf(row) < 0) return;
  TReportCheckNotice notice{};
  notice.Row = row;
  notice.Checked = fModel->MarkOf(row) != TMark::Checked;
  SendNotify(notice.Header, RTN_CHECKING);
  Repaint();
}

void TReportTree::KeyDown(WPARAM key) {
  if (fModel == nullptr) return;
  const std::int64_t index = fModel->IndexOf(fSelected);
  const std::int64_t page = RowsOnPage(*fModel, fHeights, fTop, ViewHeight());
  switch (key) {
    case VK_UP:
      MoveSelection(index < 0 ? fTop : index - 1);
      break;
    case VK_DOWN:
      MoveSelection(index < 0 ? fTop : index + 1);
      break;
    case VK_PRIOR:
      MoveSelection(index < 0 ? fTop : index - page);
      break;
    case VK_NEXT:
      MoveSelection(index < 0 ? fTop : index + page);
      break;
    case VK_HOME:
      MoveSelection(0);
      break;
    case VK_END:
      MoveSelection(fModel->VisibleCount() - 1);
      break;
    case VK_LEFT:
      if (index < 0) break;
      if (!fSelected.IsGroup()) {
        Select(TReportModel::GroupRow(fSelected));
      } else if (fModel->Groups()[fSelected.Group].Expanded) {
        SetExpanded(fSelected.Group, false);
      }
      break;
    case VK_RIGHT:
      if (index < 0 || !fSelected.IsGroup() || !fModel->Expandable(fSelected.Group)) break;
      if (!fModel->Groups()[fSelected.Group].Expanded) {
        SetExpanded(fSelected.Group, true);
      } else {
        Select({fSelected.Group, 0});
      }
      break;
    case VK_SPACE:
      if (index >= 0) ToggleMark(fSelected);
      break;
    default:
      break;
  }
}

TReportHit TReportTree::HitTest(POINT client) const {
  TReportHit hit;
  if (fModel == nullptr || client.y < fHeaderHeight) return hit;
  hit.Index = RowAtHeight(*fModel, fHeights, fTop, client.y - fHeaderHeight);
  if (hit.Index < 0) return hit;
  hit.Row = fModel->RowAt(hit.Index);
  TColumnSpan spans[REPORT_COLUMNS];
  const int count = ColumnSpans(spans);
  for (int at = 0; at < count; ++at) {
    if (client.x < spans[at].Left || client.x >= spans[at].Right) continue;
    hit.Column = spans[at].Column;
    hit.Part = TRowPart::Cell;
    if (hit.Column != REPORT_COLUMN_NAME) break;
    const int x = client.x - spans[at].Left;
    const int check = CheckLeft(hit.Row);
    if (x >= check && x < check + fCheckSize) {
      hit.Part = TRowPart::Check;
    } else if (hit.Row.IsGroup() && x < check && fModel->Expandable(hit.Row.Group)) {
      hit.Part = TRowPart::Button;
    }
    break;
  }
  return hit;
}

RECT TReportTree::RowRect(TReportRow row) const {
  RECT rect{};
  if (fModel == nullptr) return rect;
  const std::int64_t index = fModel->IndexOf(row);
  if (index < 0) return rect;
  const int y = RowTop(*fModel, fHeights, fTop, index, ViewHeight());
  if (y < 0) return rect;
  ::GetClientRect(fHandle, &rect);
  rect.top = fHeaderHeight + y;
  rect.bottom = std::min<LONG>(rect.top + fHeights.Of(*fModel, index), rect.bottom);
  return rect;
}

void TReportTree::ButtonDown(POINT point, bool doubleClick) {
  ::SetFocus(fHandle);
  const TReportHit hit = HitTest(point);
  switch (hit.Part) {
    case TRowPart::Button:
      SetExpanded(hit.Row.Group, !fModel->Groups()[hit.Row.Group].Expanded);
      break;
    case TRowPart::Check:
      ToggleMark(hit.Row);
      break;
    case TRowPart::Cell:
      Select(hit.Row);
      if (doubleClick && hit.Row.IsGroup()) {
        SetExpanded(hit.Row.Group, !fModel->Groups()[hit.Row.Group].Expanded);
      }
      break;
    case TRowPart::None:
      break;
  }
}

void TReportTree::MouseMove(POINT point) {
  const TReportHit hit = HitTest(point);
  const TReportRow hot = hit.Part == TRowPart::Check ? hit.Row : TReportRow{};
  if (!(hot == fHotCheck)) {
    fHotCheck = hot;
    Repaint();
  }
  if (!(hit.Row == fHintRow) || hit.Column != fHintColumn) {
    // Another cell: the hint of the last one goes, the new one's comes
    // after the usual wait.
    fHintRow = hit.Row;
    fHintColumn = hit.Column;
    ::SendMessageA(fTips, TTM_POP, 0, 0);
  }
  TrackMouseLeave();
}

LRESULT TReportTree::SendNotify(NMHDR& header, UINT code) const {
  header = {fHandle, static_cast<UINT_PTR>(::GetDlgCtrlID(fHandle)), code};
  HWND parent = ::GetParent(fHandle);
  return parent != nullptr ? ::SendMessageA(parent, WM_NOTIFY, header.idFrom,
                                            reinterpret_cast<LPARAM>(&header))
                           : 0;
}

std::string TReportTree::CellText(TReportRow row, int column) const {
  std::string text;
  TReportTextRequest request{};
  request.Row = row;
  request.Column = column;
  request.Text = &text;
  if (SendNotify(request.Header, RTN_GETTEXT) != 0) return text;
  // A parent that does not answer gets the model's plain texts.
  if (column == REPORT_COLUMN_NAME) return fModel->NameText(row);
  const std::int64_t value = column == REPORT_COLUMN_COUNT ? fModel->Count(row) : fModel->Size(row);
  return column == REPORT_COLUMN_COUNT && value == -1 ? std::string() : std::to_string(value);
}

LRESULT TReportTree::HintText(NMTTDISPINFOA& info) {
  fHintText.clear();
  info.lpszText = fHintText.data();
  POINT cursor{};
  if (fModel == nullptr || !::GetCursorPos(&cursor) || !::ScreenToClient(fHandle, &cursor)) {
    return 0;
  }
  const TReportHit hit = HitTest(cursor);
  TColumnSpan span{};
  if (hit.Part != TRowPart::Cell || !SpanOf(hit.Column, span)) return 0;
  std::string text = CellText(hit.Row, hit.Column);
  TWindowDC dc(fHandle);
  if (dc.Get() == nullptr) return 0;
  TSelectedObject font(dc.Get(), RowFont(hit.Row));
  SIZE extent{};
  ::GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
  const RECT room = TextRect(span, hit.Row, 0, 0);
  if (extent.cx <= room.right - room.left) return 0;  // the whole text shows: no hint
  TReportTextRequest request{};
  request.Row = hit.Row;
  request.Column = hit.Column;
  request.Text = &text;
  SendNotify(request.Header, RTN_GETHINT);
  fHintText = text;
  info.lpszText = fHintText.data();
  return 0;
}

void TReportTree::AutoSizeColumn(int column) {
  if (column < 0 || column >= Header_GetItemCount(fHeader)) return;
  char caption[256] = {};
  HDITEMA item{};
  item.mask = HDI_TEXT;
  item.pszText = caption;
  item.cchTextMax = sizeof caption;
  ::SendMessageA(fHeader, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
  TWindowDC dc(fHandle);
  if (dc.Get() == nullptr) return;
  TSelectedObject normal(dc.Get(), Font());
  SIZE extent{};
  ::GetTextExtentPoint32A(dc.Get(), caption, lstrlenA(caption), &extent);
  int width = static_cast<int>(extent.cx) + 2 * kAutoSizePadding;
  if (fModel != nullptr) {
    // The rows on screen decide, as the user sees them.
    const std::int64_t end = std::min(fModel->VisibleCount(),
                                      fTop + RowsOnPage(*fModel, fHeights, fTop, ViewHeight()) + 1);
    for (std::int64_t index = fTop; index < end; ++index) {
      const TReportRow row = fModel->RowAt(index);
      const std::string text = CellText(row, column);
      ::SelectObject(dc.Get(), RowFont(row));
      ::GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
      const int lead = column == REPORT_COLUMN_NAME ? TextLeft(row) : 0;
      width = std::max<int>(width, lead + extent.cx + kAutoSizePadding);
    }
  }
  item.mask = HDI_WIDTH;
  item.cxy = width;
  ::SendMessageA(fHeader, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
}

void TReportTree::KeepSelection(const TFileRec* record, std::string groupText) {
  fSelected = {};
  const auto& groups = fModel->Groups();
  for (int group = 0; group < static_cast<int>(groups.size()); ++group) {
    if (record == nullptr) {
      if (groups[group].Text == groupText) fSelected = {group, -1};
    } else {
      const auto& objects = groups[group].Objects;
      const auto found = std::find(objects.begin(), objects.end(), record);
      if (found != objects.end()) fSelected = {group, static_cast<int>(found - objects.begin())};
    }
    if (fSelected.Valid()) break;
  }
}

void TReportTree::ClickHeader(int column) {
  if (fModel == nullptr) return;
  // The selected row stays selected wherever the sort takes it.
  const TFileRec* record = fModel->Record(fSelected);
  const std::string groupText =
      fSelected.IsGroup() ? fModel->Groups()[fSelected.Group].Text : std::string();
  const bool hadSelection = fSelected.Valid();
  TReportHeaderNotice notice{};
  notice.Column = column;
  SendNotify(notice.Header, RTN_HEADERCLICK);
  if (hadSelection) KeepSelection(record, groupText);
  Refresh();
  if (fSelected.Valid()) Select(fSelected);
}

LRESULT TReportTree::HeaderNotify(const NMHDR& header) {
  const auto& notice = reinterpret_cast<const NMHEADERA&>(header);
  switch (header.code) {
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW:
      ClickHeader(notice.iItem);
      return 0;
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
      AutoSizeColumn(notice.iItem);
      return 0;
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
    case HDN_ENDDRAG:
      // The new widths or order take effect when the rows are next painted.
      Layout();
      Repaint();
      return FALSE;
    default:
      return 0;
  }
}

void TReportTree::SendContextMenu() {
  if (HWND parent = ::GetParent(fHandle)) {
    ::SendMessageA(parent, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(fHandle), -1);
  }
}

bool TReportTree::Focused() const { return ::GetFocus() == fHandle; }

LRESULT TReportTree::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return CreateParts() ? 0 : -1;
    case WM_SETFONT: {
      const LRESULT result = TControlWindow::HandleMessage(message, wParam, lParam);
      FontChanged(reinterpret_cast<HFONT>(wParam));
      return result;
    }
    case WM_SIZE:
      Layout();
      ScrollTo(fTop);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Repaint();
      return 0;
    case WM_VSCROLL:
      VScroll(LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      HScroll(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_KEYDOWN:
      KeyDown(wParam);
      return 0;
    case WM_KEYUP:
      if (wParam != VK_APPS) break;
      SendContextMenu();
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam != VK_F10 || !ShiftDown()) break;
      SendContextMenu();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_RBUTTONDOWN:
      ::SetFocus(fHandle);
      return 0;
    case WM_MOUSEMOVE:
      MouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSELEAVE:
      fHintRow = {};
      fHintColumn = -1;
      if (fHotCheck.Valid()) {
        fHotCheck = {};
        Repaint();
      }
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == fHeader) return HeaderNotify(*header);
      if (header->hwndFrom == fTips && header->code == TTN_GETDISPINFOA) {
        return HintText(*reinterpret_cast<NMTTDISPINFOA*>(lParam));
      }
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->hwndItem != fHeader) return FALSE;
      PaintHeaderItem(*item);
      return TRUE;
    }
    default:
      break;
  }
  return TControlWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace qlm
