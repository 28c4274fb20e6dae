// The fonts of the program's windows: Tahoma 8 points and its bold,
// underlined and heading forms, made for the display's dots per inch.
#pragma once

#include <windows.h>

#include "base/uHandles.h"
#include "ui/uControlSet.h"

namespace qlm {

class TFontSet {
 public:
  explicit TFontSet(const TDpiScale& scale);
  // False when Windows could not make one of them.
  bool Valid() const;
  const TUiFonts& Fonts() const { return fFonts; }

 private:
  HFONT Make(int points, int weight, bool underline);

  TDpiScale fScale;
  TGdiObject fOwned[6];
  TUiFonts fFonts;
};

// A link label's font: underlined while the mouse is over it.
void SetLinkFont(HWND link, const TUiFonts& fonts, bool hover);

// The display's dots per inch, as the program scales its windows.
TDpiScale ScreenScale();

}  // namespace qlm
