// The layout tables and their arithmetic, without windows.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/pages/uPageLayouts.h"
#include "ui/uCaptionKeys.h"
#include "ui/uDpi.h"

using namespace qlm;

namespace {

std::vector<TLayout> WindowLayouts() {
  std::vector<TLayout> layouts{FrameLayout()};
  for (const TPageSpec& page : MainPages()) layouts.push_back(page.Layout);
  return layouts;
}

struct TBox {
  int Left, Top, Right, Bottom;
};

TBox Scaled(const TControlSpec& spec, const TDpiScale& scale) {
  return {scale.Px(spec.X), scale.Px(spec.Y), scale.Px(spec.X) + scale.Px(spec.Width),
          scale.Px(spec.Y) + scale.Px(spec.Height)};
}

}  // namespace

TEST(Layout, ScalesDesignPixelsAndFontsByTheDisplay) {
  struct Case {
    int dpi, designPixels, pixels, fontHeight;
  } cases[] = {
      {96, 697, 697, -11}, {96, 514, 514, -11}, {144, 697, 1046, -16},
      {144, 514, 771, -16}, {120, 41, 51, -13},  {144, -5, -8, -16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    const TDpiScale scale{c.dpi};
    EXPECT_EQ(scale.Px(c.designPixels), c.pixels);
    EXPECT_EQ(scale.FontHeight(8), c.fontHeight);
    EXPECT_EQ(scale.Design(scale.Px(c.designPixels)), c.designPixels);
  }
}

TEST(Layout, EveryControlHasOneIdAndFitsItsContainerAtEveryScale) {
  std::set<int> ids;
  for (const TLayout layout : WindowLayouts()) {
    for (const TControlSpec& spec : layout) {
      SCOPED_TRACE(spec.Name);
      EXPECT_TRUE(ids.insert(spec.Id).second) << "id taken twice";
      for (const int dpi : {96, 144}) {
        const TDpiScale scale{dpi};
        TBox outer{0, 0, scale.Px(PAGE_WIDTH), scale.Px(PAGE_HEIGHT)};
        if (spec.Container != nullptr) {
          const TControlSpec* container = FindControl(layout, spec.Container);
          ASSERT_NE(container, nullptr) << "its container is not in its table";
          ASSERT_LT(container, &spec) << "the container is made after it";
          const TBox box = Scaled(*container, scale);
          outer = {0, 0, box.Right - box.Left, box.Bottom - box.Top};
          if (container->Kind == TControlKind::ScrollArea) {
            for (const TPageSpec& page : MainPages()) {
              if (page.Layout.data() == layout.data() && page.ScrollRange > 0) {
                outer.Bottom = scale.Px(page.ScrollRange);
              }
            }
          }
        }
        if (layout.data() == FrameLayout().data()) {
          outer = {0, 0, scale.Px(697), scale.Px(514)};
        }
        const TBox box = Scaled(spec, scale);
        EXPECT_GE(box.Left, outer.Left);
        EXPECT_GE(box.Top, outer.Top);
        EXPECT_LE(box.Right, outer.Right);
        EXPECT_LE(box.Bottom, outer.Bottom);
      }
    }
  }
}

TEST(Layout, EveryCaptionOfTheNameRuleHasItsControl) {
  std::multiset<std::string> named;
  for (const TLayout layout : WindowLayouts()) {
    for (const TControlSpec& spec : layout) {
      if (spec.Key != nullptr && std::string(spec.Key) == KEY_OWN_NAME) named.insert(spec.Name);
    }
  }
  for (const char* name : MAIN_CAPTION_CONTROLS) {
    if (std::string(name).rfind("pm", 0) == 0) continue;  // menu items
    EXPECT_EQ(named.count(name), 1u) << name;
  }
  for (const char* name : ABOUT_CAPTION_CONTROLS) {
    const TControlSpec* spec = FindControl(AboutBoxLayout(), name);
    ASSERT_NE(spec, nullptr) << name;
    EXPECT_EQ(CaptionKey(*spec), name);
  }
}

TEST(Layout, SharedKeysFeedEveryControlTheyName) {
  struct Case {
    const char* control;
    const char* key;
  } cases[] = {{"bbcoSave", KEY_SAVE},       {"bbmoSave", KEY_SAVE},
               {"bbcoCancel", KEY_CANCEL},   {"bbmoCancel", KEY_CANCEL},
               {"bbaoClose", KEY_CLOSE},     {"lbpfDays", KEY_DAYS},
               {"lbDays", KEY_DAYS},         {"cbDBcache", KEY_DB_CACHE},
               {"lbCookiesDef", KEY_COOKIES_DEF}};
  for (const Case& c : cases) {
    const TControlSpec* found = nullptr;
    for (const TLayout layout : WindowLayouts()) {
      if (const TControlSpec* spec = FindControl(layout, c.control)) found = spec;
    }
    ASSERT_NE(found, nullptr) << c.control;
    EXPECT_EQ(CaptionKey(*found), c.key) << c.control;
  }
}

TEST(Layout, SpinRowFollowsItsLabelsText) {
  struct Case {
    int labelLeft, textWidth, gap, spinWidth, spinLeft, unitLeft;
  } cases[] = {
      {36, 120, 5, 56, 161, 222},   // a short text
      {36, 260, 5, 56, 301, 362},   // a long text pushes the row right
      {16, 90, 21, 56, 127, 188},   // a check box leaves room for its box
      {54, 180, 8, 84, 242, 334},   // at 144 dots per inch, gaps scaled
  };
  for (const Case& c : cases) {
    const TSpinRowPlacement placed =
        PlaceSpinRow(c.labelLeft, c.textWidth, c.gap, c.spinWidth, c.gap == 8 ? 8 : 5);
    EXPECT_EQ(placed.SpinLeft, c.spinLeft);
    EXPECT_EQ(placed.UnitLeft, c.unitLeft);
  }
}
