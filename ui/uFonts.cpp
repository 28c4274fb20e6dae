#include "ui/uFonts.h"

#include "ui/controls/uControlWindow.h"

#include "base/uText.h"

namespace qlm {

namespace {
constexpr char kFaceName[] = "Tahoma";
}

TDpiScale ScreenScale() { return TDpiScale{ScreenDpi()}; }

TFontSet::TFontSet(const TDpiScale& scale) : fScale(scale) {
  fFonts.Normal = Make(8, FW_NORMAL, false);
  fFonts.Bold = Make(8, FW_BOLD, false);
  fFonts.Heading = Make(16, FW_BOLD, false);
  fFonts.SubHeading = Make(12, FW_BOLD, false);
  fFonts.Link = Make(8, FW_NORMAL, false);
  fFonts.LinkHover = Make(8, FW_NORMAL, true);
}

HFONT TFontSet::Make(int points, int weight, bool underline) {
  LOGFONTA font{};
  font.lfHeight = fScale.FontHeight(points);
  font.lfWeight = weight;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(font.lfFaceName, kFaceName, LF_FACESIZE);
  HFONT made = ::CreateFontIndirectA(&font);
  for (TGdiObject& slot : fOwned) {
    if (!slot) {
      slot.Reset(made);
      break;
    }
  }
  return made;
}

void SetLinkFont(HWND link, const TUiFonts& fonts, bool hover) {
  ::SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(hover ? fonts.LinkHover : fonts.Link),
                 TRUE);
}

bool TFontSet::Valid() const {
  for (const TGdiObject& slot : fOwned) {
    if (!slot) return false;
  }
  return true;
}

}  // namespace qlm
