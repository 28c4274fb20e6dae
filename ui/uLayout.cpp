#include "ui/uLayout.h"

namespace qlm {

std::string_view CaptionKey(const TControlSpec& spec) {
  if (spec.Key == nullptr) return {};
  if (std::string_view(spec.Key) == KEY_OWN_NAME) return spec.Name;
  return spec.Key;
}

const TControlSpec* FindControl(TLayout layout, std::string_view name) {
  for (const TControlSpec& spec : layout) {
    if (name == spec.Name) return &spec;
  }
  return nullptr;
}

}  // namespace qlm

namespace qlm {

TSpinRowPlacement PlaceSpinRow(int labelLeft, int textWidth, int gap, int spinWidth,
                               int unitGap) {
  const int spinLeft = labelLeft + textWidth + gap;
  return {spinLeft, spinLeft + spinWidth + unitGap};
}

}  // namespace qlm
