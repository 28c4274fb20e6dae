// Drawing helpers that the program's own controls share.
#pragma once

#include <windows.h>

namespace qlm {

// A colour written 0xRRGGBB, as the layout tables and status rules hold it.
inline COLORREF RgbColour(unsigned rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void FillSolid(HDC dc, const RECT& area, COLORREF colour);
// A two-colour gradient over the area, top to bottom or left to right.
void GradientRect(HDC dc, const RECT& area, COLORREF from, COLORREF to, bool vertical);
// The colour of a solid brush; false for any other brush.
bool SolidBrushColour(HBRUSH brush, COLORREF& colour);

}  // namespace qlm
