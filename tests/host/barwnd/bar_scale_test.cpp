// The bar's lengths at 100, 125, 150 and 200 % display scale: at 96 DPI each
// is the length the rest of the bar's tests expect, above it scaled by DPI/96
// and rounded to the nearest pixel.
#include <gtest/gtest.h>

#include <string>

#include "barwnd/dock/appbar_geometry.h"
#include "barwnd/dock/screen_edge.h"
#include "barwnd/window/bar_geometry.h"
#include "barwnd/window/logo_layout.h"
#include "host/barwnd/geometry_print.h"

namespace {

struct ScaleCase {
  int dpi;
  Size smallIcon, largeIcon;
  Size smallButton, largeButton;
  int topStrip, bottomStrip;
  LogoFontSizes logo;
};

class BarAtScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(BarAtScale, ButtonFramesStripsAndLogoFonts) {
  const ScaleCase& c = GetParam();
  EXPECT_EQ(ToolbarButtonSize(c.smallIcon, c.dpi), c.smallButton);
  EXPECT_EQ(ToolbarButtonSize(c.largeIcon, c.dpi), c.largeButton);
  EXPECT_EQ(CollapsedThickness(kEdgeTop, c.dpi), c.topStrip);
  EXPECT_EQ(CollapsedThickness(kEdgeBottom, c.dpi), c.bottomStrip);
  EXPECT_EQ(LogoFontSizesAt(c.dpi).line1Height, c.logo.line1Height);
  EXPECT_EQ(LogoFontSizesAt(c.dpi).line1Width, c.logo.line1Width);
  EXPECT_EQ(LogoFontSizesAt(c.dpi).line2Height, c.logo.line2Height);
}

// The button frame's 7 and 6 pixels round on their own: 10.5 -> 11 at 144.
INSTANTIATE_TEST_SUITE_P(
    Dpis, BarAtScale,
    ::testing::Values(ScaleCase{96, {16, 16}, {32, 32}, {23, 22}, {39, 38}, 1, 2, {12, 10, 14}},
                      ScaleCase{120, {20, 20}, {40, 40}, {29, 28}, {49, 48}, 1, 3, {15, 13, 18}},
                      ScaleCase{144, {24, 24}, {48, 48}, {35, 33}, {59, 57}, 2, 3, {18, 15, 21}},
                      ScaleCase{192, {32, 32}, {64, 64}, {46, 44}, {78, 76}, 2, 4, {24, 20, 28}}),
    [](const auto& info) { return "At" + std::to_string(info.param.dpi); });

// The thickness of a top bar with small icons and no panel, and with a
// 36-pixel (96 DPI) panel measured at the same scale; the dialog frame is
// what the system gives at that DPI (3 at 96).
struct ThicknessAtScale {
  int dpi;
  int frame;
  int withoutPanel;
  int leftWithoutPanel;  // buttons are wider than high
  int withPanel;
};

class BarThicknessAtScale : public ::testing::TestWithParam<ThicknessAtScale> {};

TEST_P(BarThicknessAtScale, FollowsButtonPanelAndFrame) {
  const ThicknessAtScale& c = GetParam();
  const Size frame{c.frame, c.frame};
  const Size icon = IconSize(false, c.dpi);
  EXPECT_EQ(BarThickness(kEdgeTop, icon, {}, frame, c.dpi), c.withoutPanel);
  EXPECT_EQ(BarThickness(kEdgeLeft, icon, {}, frame, c.dpi), c.leftWithoutPanel);
  const Size panel{ScalePx(165, c.dpi), ScalePx(36, c.dpi)};
  EXPECT_EQ(BarThickness(kEdgeTop, icon, panel, frame, c.dpi), c.withPanel);
}

INSTANTIATE_TEST_SUITE_P(Dpis, BarThicknessAtScale,
                         ::testing::Values(ThicknessAtScale{96, 3, 22 + 6 + 4, 23 + 6 + 4, 36 + 6 + 4},
                                           ThicknessAtScale{120, 4, 28 + 8 + 5, 29 + 8 + 5, 45 + 8 + 5},
                                           ThicknessAtScale{144, 5, 33 + 10 + 6, 35 + 10 + 6, 54 + 10 + 6},
                                           ThicknessAtScale{192, 6, 44 + 12 + 8, 46 + 12 + 8, 72 + 12 + 8}),
                         [](const auto& info) { return "At" + std::to_string(info.param.dpi); });

// A top bar of 1024 with the panel at the near end: the 2-pixel margin and
// the 20-pixel gaps grow with the scale, the sizes are given already scaled.
TEST(LayOutChildrenAtScale, MarginsAndGapsScale) {
  ChildLayoutInput in;
  in.edge = kEdgeTop;
  in.dpi = 144;
  in.thickness = 70;
  in.windowLength = 1024;
  in.dialogFrame = {5, 5};
  in.panel = Size{248, 54};
  in.button = ToolbarButtonSize(IconSize(false, 144), 144);  // 35 x 33
  in.toolbar = {105, 33};
  ChildLayout out = LayOutChildren(in);
  EXPECT_EQ(*out.panel, (Rect{3, 8, 251, 62}));
  EXPECT_EQ(out.switchButton, (Rect{281, 18, 316, 51}));  // 3 + 248 + 30
  EXPECT_EQ(out.toolbar, (Rect{346, 18, 451, 51}));

  in.posLeft = false;  // the panel is flush with the far end: 1024 - 2 * 5 - 248 - 3
  out = LayOutChildren(in);
  EXPECT_EQ(*out.panel, (Rect{763, 8, 1011, 62}));
  EXPECT_EQ(out.switchButton, (Rect{3, 18, 38, 51}));
}

TEST(PlaceLogoAtScale, GapsBesideThePanelAndBetweenTheLinesScale) {
  LogoInput in;
  in.edge = kEdgeTop;
  in.posLeft = false;
  in.dpi = 192;
  in.window = {1024, 64};
  in.dialogFrame = {6, 6};
  in.line1 = {200, 24};
  in.line2 = {180, 30};
  in.line1HeightInLine2Font = 30;
  in.panel = Rect{700, 10, 1000, 54};
  const LogoPlacement placed = PlaceLogo(in);
  EXPECT_EQ(placed.line1, (Point{700 - 30 - 200 - 6, 0}));  // a gap of 15 at 96
  EXPECT_EQ(placed.line2, (Point{700 - 30 - 180 - 6, 30 - 8}));
}

// The drop marker: 2 pixels thick at 96, thicker about the same place above.
struct LineCase {
  int dpi;
  Rect line;
  Rect thickened;
};

class ThickenLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ThickenLineTest, KeepsTheLengthAndCentre) { EXPECT_EQ(ThickenLine(GetParam().line, GetParam().dpi), GetParam().thickened); }

INSTANTIATE_TEST_SUITE_P(Dpis, ThickenLineTest,
                         ::testing::Values(LineCase{96, {99, 5, 101, 40}, {99, 5, 101, 40}},
                                           LineCase{144, {99, 5, 101, 40}, {99, 5, 102, 40}},
                                           LineCase{192, {5, 99, 60, 101}, {5, 98, 60, 102}}));

}  // namespace
