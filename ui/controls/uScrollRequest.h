// Where a scroll bar's request (WM_VSCROLL or WM_HSCROLL) asks a control to
// go: a line or a page from where it is, an end, or the thumb's place while
// it is dragged.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace qlm {

struct TScrollSteps {
  std::int64_t Line;
  std::int64_t Page;
  std::int64_t End;  // any position at or past the last one
};

// The new position for the request, in the control's own units; nothing for
// a request that moves nothing (the end of a scroll).
std::optional<std::int64_t> ScrollRequestTarget(HWND window, int bar, WORD request,
                                                std::int64_t position, TScrollSteps steps);

}  // namespace qlm
