// The arithmetic of the program's own controls: marquee blocks and slots,
// the group box's caption band, image index limits, the check box's frame
// and colour lightening. The file needs no Windows header.
#pragma once

#include <cstdint>
#include <string_view>

namespace qlm {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TGradientStyle { gsNone, gsRightToLeft, gsCenter };

// Frames of a check box picture strip: 0 to 3 checked (plain, mouse over,
// pressed, disabled), 4 to 7 the same for unchecked. Disabled wins over
// pressed, pressed over mouse over; a grayed box shows the checked frames.
inline constexpr int CHECK_FRAME_SIZE = 16;
inline constexpr int CHECK_FRAME_COUNT = 8;
int CheckBoxFrame(TCheckBoxState state, bool enabled, bool pressed, bool hover);
// The state a user's click leaves: grayed becomes checked.
TCheckBoxState ToggledState(TCheckBoxState state);

// The caption band may take at most a quarter of the box's height.
int CutCaptionHeight(int requested, int boxHeight);

// -1 (no picture) or an index of a list of `count` images.
int ClampImageIndex(int index, int count);

// The marquee bar: seven blocks run through a row of slots.
inline constexpr int MARQUEE_BLOCKS = 7;
struct TMarqueeGeometry {
  int BlockWidth;
  int BlockHeight;
  int Slots;
  // The bar's width: the slots exactly, plus the border.
  int Width;
  // Distance of the first slot from the top-left corner.
  int Inset;
};
TMarqueeGeometry MarqueeGeometry(int width, int height, bool styled);
// Luminance added to the bar colour for block 1 to MARQUEE_BLOCKS.
int MarqueeBlockLightness(TGradientStyle style, int block);
// One timer step: past the last slot plus the trailing blocks it starts over.
int NextMarqueePosition(int position, int slots);
// The slot of block 1 to MARQUEE_BLOCKS at a position, -1 when it is outside.
int MarqueeBlockSlot(int position, int block, int slots);

// A colour in Windows' 0x00BBGGRR layout with `amount` added to its
// luminance on a 0 to 255 scale (negative darkens), kept within the scale.
std::uint32_t LightenColour(std::uint32_t colour, int amount);

// The character marked by a single '&' in a caption ("&&" is a plain '&'),
// or 0 when there is none.
char CaptionAccelerator(std::string_view caption);

}  // namespace qlm
