// Scaling of the window's design pixels (96 dots per inch) to the display.
// The file needs no Windows header.
#pragma once

namespace qlm {

inline constexpr int DESIGN_DPI = 96;

struct TDpiScale {
  int Dpi = DESIGN_DPI;

  // A position or size in design pixels on this display, rounded to the
  // nearest pixel (halves away from zero), so that a row of controls keeps
  // its proportions.
  int Px(int designPixels) const;
  // The height of a font of that many points, as LOGFONT's negative
  // character height.
  int FontHeight(int points) const;
  // A measured display length back in design pixels.
  int Design(int displayPixels) const;
};

}  // namespace qlm
