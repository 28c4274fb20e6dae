#include "ui/controls/uControlGeometry.h"

#include <algorithm>
#include <cmath>

namespace qlm {

namespace {

constexpr int kCheckedFrames = 0;
constexpr int kUncheckedFrames = 4;
constexpr int kHoverFrame = 1;
constexpr int kPressedFrame = 2;
constexpr int kDisabledFrame = 3;

constexpr int kRightToLeftSteps[MARQUEE_BLOCKS] = {0, 16, 32, 48, 64, 80, 96};
constexpr int kCenterSteps[MARQUEE_BLOCKS] = {96, 64, 32, 0, 32, 64, 96};

struct THsl {
  double Hue;  // 0 to 6, one unit per sextant
  double Saturation;
  double Lightness;
};

THsl ToHsl(double r, double g, double b) {
  const double high = std::max({r, g, b});
  const double low = std::min({r, g, b});
  const double lightness = (high + low) / 2;
  const double chroma = high - low;
  if (chroma == 0) return {0, 0, lightness};
  const double saturation =
      lightness <= 0.5 ? chroma / (high + low) : chroma / (2 - high - low);
  double hue = 0;
  if (high == r) {
    hue = std::fmod((g - b) / chroma + 6, 6);
  } else if (high == g) {
    hue = (b - r) / chroma + 2;
  } else {
    hue = (r - g) / chroma + 4;
  }
  return {hue, saturation, lightness};
}

double HueChannel(double low, double high, double hue) {
  hue = std::fmod(hue + 6, 6);
  if (hue < 1) return low + (high - low) * hue;
  if (hue < 3) return high;
  if (hue < 4) return low + (high - low) * (4 - hue);
  return low;
}

std::uint32_t Channel(double value) {
  return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
}

}  // namespace

int CheckBoxFrame(TCheckBoxState state, bool enabled, bool pressed, bool hover) {
  const int first = state == cbUnchecked ? kUncheckedFrames : kCheckedFrames;
  if (!enabled) return first + kDisabledFrame;
  if (pressed) return first + kPressedFrame;
  if (hover) return first + kHoverFrame;
  return first;
}

TCheckBoxState ToggledState(TCheckBoxState state) {
  return state == cbChecked ? cbUnchecked : cbChecked;
}

int CutCaptionHeight(int requested, int boxHeight) {
  return std::clamp(requested, 0, std::max(boxHeight / 4, 0));
}

int ClampImageIndex(int index, int count) { return std::clamp(index, -1, std::max(count, 0) - 1); }

TMarqueeGeometry MarqueeGeometry(int width, int height, bool styled) {
  TMarqueeGeometry geometry{};
  geometry.BlockWidth = std::max(styled ? (height - 4) / 2 : (height - 1) / 2, 1);
  geometry.BlockHeight = std::max(styled ? height - 6 : height - 4, 0);
  geometry.Slots = std::max((width - 4) / (geometry.BlockWidth + 2), 0);
  geometry.Width = geometry.Slots * (geometry.BlockWidth + 2) + 4;
  geometry.Inset = styled ? 3 : 2;
  return geometry;
}

int MarqueeBlockLightness(TGradientStyle style, int block) {
  if (block < 1 || block > MARQUEE_BLOCKS) return 0;
  switch (style) {
    case gsRightToLeft:
      return kRightToLeftSteps[block - 1];
    case gsCenter:
      return kCenterSteps[block - 1];
    default:
      return 0;
  }
}

int NextMarqueePosition(int position, int slots) {
  return position + 1 > slots + MARQUEE_BLOCKS ? 0 : position + 1;
}

int MarqueeBlockSlot(int position, int block, int slots) {
  const int slot = position - block;
  return slot >= 0 && slot < slots ? slot : -1;
}

std::uint32_t LightenColour(std::uint32_t colour, int amount) {
  const THsl hsl = ToHsl((colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                         ((colour >> 16) & 0xFF) / 255.0);
  const double lightness = std::clamp(hsl.Lightness + amount / 255.0, 0.0, 1.0);
  const double high = lightness <= 0.5 ? lightness * (1 + hsl.Saturation)
                                       : lightness + hsl.Saturation - lightness * hsl.Saturation;
  const double low = 2 * lightness - high;
  const std::uint32_t red = Channel(HueChannel(low, high, hsl.Hue + 2));
  const std::uint32_t green = Channel(HueChannel(low, high, hsl.Hue));
  const std::uint32_t blue = Channel(HueChannel(low, high, hsl.Hue - 2));
  return red | (green << 8) | (blue << 16);
}

char CaptionAccelerator(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;
  }
  return 0;
}

}  // namespace qlm
