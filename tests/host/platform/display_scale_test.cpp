#include "platform/display_scale.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayScale, LengthsRoundToTheNearestPixelAtEveryCommonScale) {
  const struct {
    int px, dpi, scaled;
  } cases[] = {
      {16, 96, 16},  {16, 120, 20}, {16, 144, 24}, {16, 192, 32},
      {7, 120, 9},   // 8.75
      {7, 144, 11},  // 10.5 rounds up, as MulDiv does
      {1, 144, 2},   {12, 0, 12},   {12, -5, 12},  // no DPI known: 96
      {-3, 144, -5},  // negative lengths round away from zero too
      {20, 168, 35},
  };
  for (const auto& c : cases) EXPECT_EQ(ScalePx(c.px, c.dpi), c.scaled) << c.px << " at " << c.dpi;
}

TEST(DisplayScale, FontHeightsAndIconSidesFollowTheScale) {
  EXPECT_EQ(DisplayScale{96}.FontHeight(8), -11);   // MulDiv(8, 96, 72) = 10.67
  EXPECT_EQ(DisplayScale{144}.FontHeight(8), -16);
  EXPECT_EQ(DisplayScale{120}.FontHeight(10), -17);  // 16.67
  EXPECT_EQ(IconSidesAt(96), (IconSides{16, 32}));
  EXPECT_EQ(IconSidesAt(120), (IconSides{20, 40}));
  EXPECT_EQ(IconSidesAt(144), (IconSides{24, 48}));
  EXPECT_EQ(IconSidesAt(192), (IconSides{32, 64}));
  EXPECT_EQ((DisplayScale{144}.Px(Rect{1, 2, 10, 20})), (Rect{2, 3, 15, 30}));
}

}  // namespace
