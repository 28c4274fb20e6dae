// The program's own controls as window classes: TCheckBoxEx, TGroupBoxEx,
// TLabelEx, TMarqueeBar and TImageEx.
#pragma once

#include <windows.h>

namespace qlm {

// Registers the five classes once per process; false when Windows refuses
// one of them.
bool RegisterCustomControls(HINSTANCE instance);

}  // namespace qlm
