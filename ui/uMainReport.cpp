// The report of what a scan found: one row per category with its object
// count and size, every record shown taking the initial mark that the clean
// obeys.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "engine/uCustomDefine.h"
#include "ui/uMain.h"
#include "ui/uReportGroups.h"

namespace qlm {

namespace {
void SetCell(HWND list, int row, int column, const std::string& text) {
  ListView_SetItemText(list, row, column, const_cast<char*>(text.c_str()));
}
}  // namespace

void TFormMain::FillReport() {
  HWND list = Control("vtReport");
  const TOptions& options = FConfig->Options;
  std::vector<TReportGroup> groups =
      GroupFoundObjects(FoundList.Window(), options.Core.CustomDefines, options.SelFoundObjs);
  SortGroupsBySize(groups);
  ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list);
  int row = 0;
  for (const TReportGroup& group : groups) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(group.Text.c_str());
    if (ListView_InsertItem(list, &item) < 0) break;
    SetCell(list, row, 1, std::to_string(group.Count));
    SetCell(list, row, 2, FormatSize(group.Size));
    ++row;
  }
  ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

}  // namespace qlm
