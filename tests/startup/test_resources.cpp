#include <gtest/gtest.h>

#include <cstdint>

#include "startup/uResources.h"
#include "tests/support/uTestSupport.h"
#include "ui/uPictureNames.h"

using namespace qlm;

namespace {

std::string ResourceLibrary() { return ProgramFolder() + RES_LIBRARY_FILE; }

// A 32-bit DIB section of the expected size, or a failure.
::testing::AssertionResult IsPicture(HBITMAP bitmap, const TPictureName& picture) {
  DIBSECTION dib{};
  if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib)
    return ::testing::AssertionFailure() << picture.Name << " is no DIB section";
  if (dib.dsBm.bmWidth != picture.Width || std::abs(dib.dsBm.bmHeight) != picture.Height ||
      dib.dsBm.bmBitsPixel != 32)
    return ::testing::AssertionFailure()
           << picture.Name << " is " << dib.dsBm.bmWidth << " by " << dib.dsBm.bmHeight << " by "
           << dib.dsBm.bmBitsPixel;
  return ::testing::AssertionSuccess();
}

// Blue, green, red and alpha of a pixel counted from the top-left corner.
const std::uint8_t* PixelAt(HBITMAP bitmap, int x, int y) {
  DIBSECTION dib{};
  ::GetObjectA(bitmap, sizeof dib, &dib);
  int row = dib.dsBm.bmHeight > 0 ? dib.dsBm.bmHeight - 1 - y : y;
  return static_cast<const std::uint8_t*>(dib.dsBm.bmBits) + row * dib.dsBm.bmWidthBytes + x * 4;
}

}  // namespace

TEST(Resources, TheLibraryHoldsEveryPictureInItsSize) {
  TResHandler resources(ResourceLibrary());
  int count = 0;
  for (const TPictureName& picture : RESOURCE_LIBRARY_PICTURES) {
    EXPECT_TRUE(IsPicture(resources.GetBitmap(picture.Name), picture));
    EXPECT_EQ(resources.BitmapCount(), ++count);
  }
}

TEST(Resources, PicturesKeepTheirTransparency) {
  TResHandler resources(ResourceLibrary());
  HBITMAP ok = resources.GetBitmap(RES_END_STATUS_OK.Name);
  ASSERT_NE(ok, nullptr);
  const std::uint8_t* corner = PixelAt(ok, 0, 0);
  EXPECT_EQ(corner[3], 0) << "the corner outside the disc is transparent";
  EXPECT_EQ(corner[1], 0) << "premultiplied: a transparent pixel is black";
  const std::uint8_t* disc = PixelAt(ok, 24, 40);
  EXPECT_EQ(disc[3], 255);
  EXPECT_GT(disc[1], disc[2]) << "the success image is green";
}

TEST(Resources, AnUnknownNameGivesNothingAndKeepsTheCount) {
  TResHandler resources(ResourceLibrary());
  ASSERT_NE(resources.GetBitmap(RES_MAIN_LOGO.Name), nullptr);
  EXPECT_EQ(resources.GetBitmap("NOSUCHPICTURE"), nullptr);
  EXPECT_EQ(resources.BitmapCount(), 1);
  EXPECT_TRUE(IsPicture(resources.GetBitmap(RES_RBIN_FULL.Name), RES_RBIN_FULL))
      << "the refused request's slot is reused";
  EXPECT_EQ(resources.BitmapCount(), 2);
}

TEST(Resources, WithoutTheLibraryEveryRequestGivesNothing) {
  TTempFolder empty;
  TResHandler resources(empty.Path() + RES_LIBRARY_FILE);
  for (const TPictureName& picture : RESOURCE_LIBRARY_PICTURES)
    EXPECT_EQ(resources.GetBitmap(picture.Name), nullptr) << picture.Name;
  EXPECT_EQ(resources.BitmapCount(), 0);
}

TEST(Resources, DestructionDeletesEveryBitmapHandedOut) {
  HBITMAP logo = nullptr;
  HBITMAP bin = nullptr;
  {
    TResHandler resources(ResourceLibrary());
    logo = resources.GetBitmap(RES_MAIN_LOGO.Name);
    bin = resources.GetBitmap(RES_RBIN_EMPTY.Name);
    ASSERT_NE(logo, nullptr);
    ASSERT_NE(bin, nullptr);
  }
  BITMAP info;
  EXPECT_EQ(::GetObjectA(logo, sizeof info, &info), 0);
  EXPECT_EQ(::GetObjectA(bin, sizeof info, &info), 0);
}

TEST(Resources, TheProgramCarriesItsOwnPictures) {
  TModule program(::LoadLibraryExA((ProgramFolder() + "quillmere.exe").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(program);
  auto check = [&](const TPictureName& picture) {
    TBitmap bitmap(static_cast<HBITMAP>(::LoadImageA(program.Get(), picture.Name, IMAGE_BITMAP,
                                                     0, 0, LR_CREATEDIBSECTION)));
    EXPECT_TRUE(IsPicture(bitmap.Get(), picture));
  };
  for (const TPictureName& strip : CHECK_BOX_STRIPS) check(strip);
  for (const TPictureName& strip : BUTTON_STRIPS) check(strip);
  for (int size : {16, 32, 48}) {
    TIcon icon(static_cast<HICON>(
        ::LoadImageA(program.Get(), PROGRAM_ICON, IMAGE_ICON, size, size, 0)));
    EXPECT_TRUE(icon) << size;
  }
}
