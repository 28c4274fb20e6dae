#include "ui/uListColumns.h"

#include <commctrl.h>

namespace qlm {

void AddListColumns(HWND list, std::span<const TListColumn> columns, const TDpiScale& scale) {
  for (const TListColumn& column : columns) {
    LVCOLUMNA item{};
    item.mask = LVCF_WIDTH | LVCF_FMT | LVCF_TEXT;
    item.cx = scale.Px(column.Width);
    item.fmt = column.Format;
    item.pszText = const_cast<char*>("");
    ListView_InsertColumn(list, Header_GetItemCount(ListView_GetHeader(list)), &item);
  }
}

void CaptionListColumns(HWND list, std::span<const char* const> keys,
                        const std::function<std::string(const std::string&)>& textOf) {
  for (std::size_t index = 0; index < keys.size(); ++index) {
    std::string text = textOf(keys[index]);
    LVCOLUMNA item{};
    item.mask = LVCF_TEXT;
    item.pszText = text.data();
    ListView_SetColumn(list, static_cast<int>(index), &item);
  }
}

}  // namespace qlm
