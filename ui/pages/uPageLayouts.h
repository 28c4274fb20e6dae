// The six pages of the main window, the About window, the wait message
// window and the update window as layout tables. A container's rows follow
// its own row; the order of the rows is the order of creation and so of the
// Tab key. The file needs no Windows header.
#pragma once

#include "ui/uLayout.h"

namespace qlm {

// The window's grey, the white of the settings and status areas.
inline constexpr unsigned COLOR_FORM = 0xD1D1D1;
inline constexpr unsigned COLOR_WHITE = 0xFFFFFF;

// The frame's own controls: the top bar and the logo.
TLayout FrameLayout();
TLayout DefaultPageLayout();
TLayout RunningPageLayout();
TLayout SettingsPageLayout();
TLayout ScanOptionsPageLayout();
TLayout MainOptionsPageLayout();
TLayout AppsOptionsPageLayout();
TLayout AboutBoxLayout();
TLayout MessageFormLayout();
TLayout UpdaterLayout();

// The pages in the order of their ids.
std::span<const TPageSpec> MainPages();

}  // namespace qlm
