#include "ui/controls/uScrollRequest.h"

namespace qlm {

std::optional<std::int64_t> ScrollRequestTarget(HWND window, int bar, WORD request,
                                                std::int64_t position, TScrollSteps steps) {
  // The vertical requests' values stand for the horizontal ones too.
  switch (request) {
    case SB_LINEUP:
      return position - steps.Line;
    case SB_LINEDOWN:
      return position + steps.Line;
    case SB_PAGEUP:
      return position - steps.Page;
    case SB_PAGEDOWN:
      return position + steps.Page;
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return steps.End;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      if (::GetScrollInfo(window, bar, &info)) return info.nTrackPos;
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace qlm
