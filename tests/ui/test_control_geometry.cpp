#include <gtest/gtest.h>

#include <cstdint>

#include "ui/controls/uControlGeometry.h"

using namespace qlm;

namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r | (g << 8) | (b << 16);
}

TEST(ControlGeometry, MarqueeBlocksSlotsAndWidth) {
  struct TCase {
    int Width;
    int Height;
    bool Styled;
    TMarqueeGeometry Expected;
  };
  const TCase cases[] = {
      {221, 15, true, {5, 9, 31, 221, 3}},
      {225, 15, true, {5, 9, 31, 221, 3}},  // cut to whole slots
      {221, 15, false, {7, 11, 24, 220, 2}},
      {100, 20, true, {8, 14, 9, 94, 3}},
      {3, 15, true, {5, 9, 0, 4, 3}},  // too narrow for one slot
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << " styled " << c.Styled);
    const TMarqueeGeometry g = MarqueeGeometry(c.Width, c.Height, c.Styled);
    EXPECT_EQ(g.BlockWidth, c.Expected.BlockWidth);
    EXPECT_EQ(g.BlockHeight, c.Expected.BlockHeight);
    EXPECT_EQ(g.Slots, c.Expected.Slots);
    EXPECT_EQ(g.Width, c.Expected.Width);
    EXPECT_EQ(g.Inset, c.Expected.Inset);
  }
}

TEST(ControlGeometry, MarqueeBlockLightnessByGradientStyle) {
  const int rightToLeft[] = {0, 16, 32, 48, 64, 80, 96};
  const int center[] = {96, 64, 32, 0, 32, 64, 96};
  for (int block = 1; block <= MARQUEE_BLOCKS; ++block) {
    EXPECT_EQ(MarqueeBlockLightness(gsNone, block), 0);
    EXPECT_EQ(MarqueeBlockLightness(gsRightToLeft, block), rightToLeft[block - 1]);
    EXPECT_EQ(MarqueeBlockLightness(gsCenter, block), center[block - 1]);
  }
}

TEST(ControlGeometry, MarqueeRunsThroughEverySlotThenStartsOver) {
  const int slots = 31;
  // Past the last slot the trailing blocks still run out before the start.
  EXPECT_EQ(NextMarqueePosition(slots + MARQUEE_BLOCKS - 1, slots), slots + MARQUEE_BLOCKS);
  EXPECT_EQ(NextMarqueePosition(slots + MARQUEE_BLOCKS, slots), 0);
  EXPECT_EQ(MarqueeBlockSlot(0, 1, slots), -1);
  EXPECT_EQ(MarqueeBlockSlot(1, 1, slots), 0);
  EXPECT_EQ(MarqueeBlockSlot(3, 7, slots), -1);
  EXPECT_EQ(MarqueeBlockSlot(slots, 1, slots), slots - 1);
  EXPECT_EQ(MarqueeBlockSlot(slots + 1, 1, slots), -1);
  EXPECT_EQ(MarqueeBlockSlot(slots + MARQUEE_BLOCKS - 1, 7, slots), slots - 1);
  EXPECT_EQ(MarqueeBlockSlot(slots + MARQUEE_BLOCKS, 7, slots), -1);
}

TEST(ControlGeometry, CaptionHeightCutToAQuarterOfTheBox) {
  EXPECT_EQ(CutCaptionHeight(40, 100), 25);
  EXPECT_EQ(CutCaptionHeight(25, 100), 25);
  EXPECT_EQ(CutCaptionHeight(24, 100), 24);
  EXPECT_EQ(CutCaptionHeight(24, 0), 0);
}

TEST(ControlGeometry, ImageIndexKeptWithinTheList) {
  struct TCase {
    int Index;
    int Count;
    int Expected;
  };
  const TCase cases[] = {
      {5, 3, 2}, {2, 3, 2}, {0, 3, 0}, {-1, 3, -1}, {-7, 3, -1}, {0, 0, -1}, {4, 0, -1},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ClampImageIndex(c.Index, c.Count), c.Expected) << c.Index << " of " << c.Count;
  }
}

TEST(ControlGeometry, CheckBoxFrameByStateDisabledPressedHover) {
  struct TCase {
    TCheckBoxState State;
    bool Enabled;
    bool Pressed;
    bool Hover;
    int Frame;
  };
  const TCase cases[] = {
      {cbChecked, true, false, false, 0},
      {cbChecked, true, false, true, 1},
      {cbChecked, true, true, true, 2},
      {cbChecked, true, true, false, 2},
      {cbChecked, false, false, false, 3},
      {cbChecked, false, true, true, 3},
      {cbUnchecked, true, false, false, 4},
      {cbUnchecked, true, false, true, 5},
      {cbUnchecked, true, true, true, 6},
      {cbUnchecked, false, false, true, 7},
      {cbUnchecked, false, true, true, 7},
      {cbGrayed, true, false, false, 0},
      {cbGrayed, true, false, true, 1},
      {cbGrayed, false, true, false, 3},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(CheckBoxFrame(c.State, c.Enabled, c.Pressed, c.Hover), c.Frame)
        << "state " << c.State << " enabled " << c.Enabled << " pressed " << c.Pressed
        << " hover " << c.Hover;
  }
}

TEST(ControlGeometry, UserToggleTurnsGrayedIntoChecked) {
  EXPECT_EQ(ToggledState(cbUnchecked), cbChecked);
  EXPECT_EQ(ToggledState(cbChecked), cbUnchecked);
  EXPECT_EQ(ToggledState(cbGrayed), cbChecked);
}

TEST(ControlGeometry, LighteningAddsLuminanceWithinTheScale) {
  struct TCase {
    std::uint32_t Colour;
    int Amount;
    std::uint32_t Expected;
  };
  const TCase cases[] = {
      {Rgb(248, 163, 0), 0, Rgb(248, 163, 0)},
      {Rgb(10, 200, 90), 0, Rgb(10, 200, 90)},
      {Rgb(128, 128, 128), 16, Rgb(144, 144, 144)},
      {Rgb(250, 250, 250), 16, Rgb(255, 255, 255)},  // capped
      {Rgb(255, 255, 255), 96, Rgb(255, 255, 255)},
      {Rgb(0, 0, 0), 255, Rgb(255, 255, 255)},
      {Rgb(255, 255, 255), -160, Rgb(95, 95, 95)},
      {Rgb(20, 20, 20), -64, Rgb(0, 0, 0)},
      {Rgb(255, 0, 0), 51, Rgb(255, 102, 102)},  // the hue stays
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(LightenColour(c.Colour, c.Amount), c.Expected)
        << std::hex << c.Colour << std::dec << " by " << c.Amount;
  }
}

TEST(ControlGeometry, CaptionAcceleratorIsTheCharacterAfterASingleAmpersand) {
  EXPECT_EQ(CaptionAccelerator("&Mark"), 'M');
  EXPECT_EQ(CaptionAccelerator("Save && &quit"), 'q');
  EXPECT_EQ(CaptionAccelerator("Salt && pepper"), 0);
  EXPECT_EQ(CaptionAccelerator("Ends with &"), 0);
  EXPECT_EQ(CaptionAccelerator(""), 0);
}

}  // namespace
