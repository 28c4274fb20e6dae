#include "ui/controls/uPainting.h"

namespace qlm {

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
  ::SetDCBrushColor(dc, colour);
  ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

void GradientRect(HDC dc, const RECT& area, COLORREF from, COLORREF to, bool vertical) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  TRIVERTEX corners[2] = {};
  corners[0] = {area.left, area.top, static_cast<COLOR16>(GetRValue(from) << 8),
                static_cast<COLOR16>(GetGValue(from) << 8),
                static_cast<COLOR16>(GetBValue(from) << 8), 0};
  corners[1] = {area.right, area.bottom, static_cast<COLOR16>(GetRValue(to) << 8),
                static_cast<COLOR16>(GetGValue(to) << 8), static_cast<COLOR16>(GetBValue(to) << 8),
                0};
  GRADIENT_RECT rect{0, 1};
  ::GradientFill(dc, corners, 2, &rect, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

bool SolidBrushColour(HBRUSH brush, COLORREF& colour) {
  LOGBRUSH logBrush{};
  if (brush == nullptr || ::GetObjectA(brush, sizeof logBrush, &logBrush) != sizeof logBrush ||
      logBrush.lbStyle != BS_SOLID) {
    return false;
  }
  colour = logBrush.lbColor;
  return true;
}

}  // namespace qlm
