#include "ui/uDpi.h"

namespace qlm {

namespace {
int RoundedQuotient(long long numerator, long long denominator) {
  const long long half = denominator / 2;
  return static_cast<int>(numerator >= 0 ? (numerator + half) / denominator
                                         : -((-numerator + half) / denominator));
}
}  // namespace

int TDpiScale::Px(int designPixels) const {
  return RoundedQuotient(static_cast<long long>(designPixels) * Dpi, DESIGN_DPI);
}

int TDpiScale::FontHeight(int points) const {
  return -RoundedQuotient(static_cast<long long>(points) * Dpi, 72);
}

int TDpiScale::Design(int displayPixels) const {
  return RoundedQuotient(static_cast<long long>(displayPixels) * DESIGN_DPI, Dpi);
}

}  // namespace qlm
