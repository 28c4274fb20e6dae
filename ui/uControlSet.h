// The controls of a window, made from its layout tables and found by name or
// id. Fonts and pictures are owned by the window; the set only hands them to
// the controls.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/uDpi.h"
#include "ui/uLayout.h"

namespace qlm {

struct TUiFonts {
  HFONT Normal = nullptr;
  HFONT Bold = nullptr;
  HFONT Heading = nullptr;     // 16 points, bold
  HFONT SubHeading = nullptr;  // 12 points, bold
  HFONT Link = nullptr;
  HFONT LinkHover = nullptr;   // the link font, underlined
};

struct TPlacedControl {
  const TControlSpec* Spec;
  HWND Window;
};

class TControlSet {
 public:
  // Makes every row of the layout on the parent (or inside the container
  // the row names, made earlier). False when Windows refuses a control.
  bool Build(HINSTANCE instance, HWND parent, TLayout layout, const TDpiScale& scale,
             const TUiFonts& fonts);

  HWND Get(std::string_view name) const;
  // Gives every control whose row names a caption key the text of its key.
  void ApplyCaptions(const std::function<std::string(const std::string&)>& textOf) const;
  const TControlSpec* SpecOf(int id) const;
  const std::vector<TPlacedControl>& Controls() const { return fControls; }

 private:
  HWND Make(HINSTANCE instance, HWND parent, const TControlSpec& spec, const TDpiScale& scale,
            const TUiFonts& fonts);

  std::vector<TPlacedControl> fControls;
};

// The up-down control attached to a spin edit.
HWND SpinButtonOf(HWND edit);

}  // namespace qlm
