// The columns of a report list view: made from a table of widths in design
// pixels, captioned from the language in the caption pass.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>

#include "ui/uDpi.h"

namespace qlm {

struct TListColumn {
  int Width;   // design pixels
  int Format;  // LVCFMT_LEFT or LVCFMT_RIGHT
};

// Appends the columns, without captions yet.
void AddListColumns(HWND list, std::span<const TListColumn> columns, const TDpiScale& scale);

// Gives the columns from the first on the texts of their keys.
void CaptionListColumns(HWND list, std::span<const char* const> keys,
                        const std::function<std::string(const std::string&)>& textOf);

}  // namespace qlm
