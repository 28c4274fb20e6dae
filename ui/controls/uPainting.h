// Drawing helpers that the program's own controls share.
#pragma once

#include <windows.h>

namespace qlm {

void FillSolid(HDC dc, const RECT& area, COLORREF colour);
// A two-colour gradient over the area, top to bottom or left to right.
void GradientRect(HDC dc, const RECT& area, COLORREF from, COLORREF to, bool vertical);
// The colour of a solid brush; false for any other brush.
bool SolidBrushColour(HBRUSH brush, COLORREF& colour);

}  // namespace qlm
