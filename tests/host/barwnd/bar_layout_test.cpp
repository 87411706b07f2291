#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "barwnd/window/bar_geometry.h"
#include "barwnd/window/logo_layout.h"
#include "barwnd/dock/screen_edge.h"
#include "barwnd/window/toolbar_overflow.h"
#include "barwnd/window/toolbar_plan.h"
#include "host/barwnd/geometry_print.h"

namespace {

const Size kSmall = IconSize(false);
const Size kLarge = IconSize(true);

struct ThicknessCase {
  const char* name;
  int edge;
  Size icon;
  Size panel;
  int expected;
};

class BarThicknessTest : public ::testing::TestWithParam<ThicknessCase> {};

// A frame of 3 wide and 4 high shows which axis each edge takes it from.
TEST_P(BarThicknessTest, FitsButtonOrPanelPlusBorder) {
  const ThicknessCase& c = GetParam();
  EXPECT_EQ(BarThickness(c.edge, c.icon, c.panel, Size{3, 4}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, BarThicknessTest,
    ::testing::Values(ThicknessCase{"TopSmall", kEdgeTop, kSmall, {}, 22 + 8 + 4},
                      ThicknessCase{"BottomLarge", kEdgeBottom, kLarge, {}, 38 + 8 + 4},
                      ThicknessCase{"LeftSmall", kEdgeLeft, kSmall, {}, 23 + 6 + 4},
                      ThicknessCase{"RightLarge", kEdgeRight, kLarge, {}, 39 + 6 + 4},
                      ThicknessCase{"TopPanelThicker", kEdgeTop, kSmall, {165, 36}, 36 + 8 + 4},
                      ThicknessCase{"BottomPanelThinner", kEdgeBottom, kLarge, {165, 20}, 38 + 8 + 4},
                      ThicknessCase{"LeftPanelWider", kEdgeLeft, kSmall, {36, 165}, 36 + 6 + 4},
                      ThicknessCase{"RightPanelNarrower", kEdgeRight, kLarge, {20, 165}, 39 + 6 + 4},
                      ThicknessCase{"EdgeFour", 4, kLarge, {36, 165}, 4},
                      ThicknessCase{"EdgeNegative", -1, kSmall, {}, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EdgeForNewWindow, UnknownStoredEdgeBecomesTop) {
  for (int e = 0; e <= 3; ++e) EXPECT_EQ(EdgeForNewWindow(e), e);
  EXPECT_EQ(EdgeForNewWindow(4), kEdgeTop);
  EXPECT_EQ(EdgeForNewWindow(-1), kEdgeTop);
}

struct LayoutCase {
  const char* name;
  int edge;
  bool posLeft;
  bool withPanel;
  Rect panel;
  Rect switchButton;
  Rect toolbar;
};

class ChildLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

// Thickness 46, small icons, a 165-long and 36-thick clock panel, three
// buttons and a separator in the toolbar, a screen of 1024 x 768 and a dialog
// frame of 3 wide and 4 high.
TEST_P(ChildLayoutTest, PlacesPanelSwitchButtonAndToolbar) {
  const LayoutCase& c = GetParam();
  const bool vertical = IsLeftOrRightEdge(c.edge);
  ChildLayoutInput in;
  in.edge = c.edge;
  in.thickness = 46;
  in.windowLength = vertical ? 768 : 1024;
  in.dialogFrame = {3, 4};
  in.posLeft = c.posLeft;
  if (c.withPanel) in.panel = vertical ? Size{36, 165} : Size{165, 36};
  in.button = ToolbarButtonSize(kSmall);
  in.toolbar = vertical ? Size{23, 78} : Size{81, 22};

  const ChildLayout out = LayOutChildren(in);
  ASSERT_EQ(out.panel.has_value(), c.withPanel);
  if (c.withPanel) {
    EXPECT_EQ(*out.panel, c.panel);
  }
  EXPECT_EQ(out.switchButton, c.switchButton);
  EXPECT_EQ(out.toolbar, c.toolbar);
}

INSTANTIATE_TEST_SUITE_P(
    EdgesAndPanelEnds, ChildLayoutTest,
    ::testing::Values(
        // Panel first, button 20 after it, toolbar 20 after the button.
        LayoutCase{"TopPanelLeft", kEdgeTop, true, true, {2, 5, 167, 41}, {187, 12, 210, 34}, {230, 12, 311, 34}},
        // Panel flush with the far end: 1024 - 2 * 3 - 165 - 2.
        LayoutCase{"TopPanelRight", kEdgeTop, false, true, {851, 5, 1016, 41}, {2, 12, 25, 34}, {45, 12, 126, 34}},
        LayoutCase{"BottomPanelRight", kEdgeBottom, false, true, {851, 5, 1016, 41}, {2, 12, 25, 34},
                   {45, 12, 126, 34}},
        LayoutCase{"LeftPanelTop", kEdgeLeft, true, true, {5, 2, 41, 167}, {11, 187, 34, 209}, {11, 229, 34, 307}},
        // 768 - 2 * 4 - 165 - 2 along y.
        LayoutCase{"RightPanelBottom", kEdgeRight, false, true, {5, 593, 41, 758}, {11, 2, 34, 24}, {11, 44, 34, 122}},
        LayoutCase{"TopNoPanel", kEdgeTop, true, false, {}, {22, 12, 45, 34}, {65, 12, 146, 34}},
        LayoutCase{"LeftNoPanelPosRight", kEdgeLeft, false, false, {}, {11, 2, 34, 24}, {11, 44, 34, 122}}),
    [](const auto& info) { return std::string(info.param.name); });

// The overflow chevron stands at the far end of the toolbar's room: here 20
// before the clock panel at the far end (851 - 20), 14 long.
TEST(ChildLayout, ChevronEndsTheToolbarsRoom) {
  ChildLayoutInput in;
  in.edge = kEdgeTop;
  in.thickness = 46;
  in.windowLength = 1024;
  in.dialogFrame = {3, 4};
  in.posLeft = false;
  in.panel = Size{165, 36};
  in.button = ToolbarButtonSize(kSmall);
  in.chevron = Size{14, 22};
  EXPECT_EQ(ToolbarRoom(in), 831 - 45);
  EXPECT_EQ(LayOutChildren(in).chevron, (Rect{817, 12, 831, 34}));
}

struct FitCase {
  const char* name;
  int edge;
  int dpi;
  bool large;
  bool posLeft;
  std::optional<Size> panel;  // along x, across y; turned for side bars
  int buttons;
  int separatorAfter;  // a separator after this many buttons, 0 for none
  std::size_t shown;   // items on show, separators counted
  bool chevron;
};

class ToolbarFitTest : public ::testing::TestWithParam<FitCase> {};

// A screen of 1280 x 1024, a dialog frame of 3 x 4. The buttons toolbar
// starts 20 after the bar-switch button and may run to 2 before the
// window's far border, or to 20 before a clock panel at the far end; when
// its items do not fit, the chevron takes the room's end.
TEST_P(ToolbarFitTest, ButtonsUpToTheChevronStayOnTheBar) {
  const FitCase& c = GetParam();
  const bool vertical = IsLeftOrRightEdge(c.edge);
  std::vector<BarButtonEntry> entries;
  for (int i = 0; i < c.buttons; ++i) {
    entries.push_back({false, true, 1124 + i, i});
    if (i + 1 == c.separatorAfter) entries.push_back({true, true, 0});
  }
  ChildLayoutInput in;
  in.edge = c.edge;
  in.windowLength = vertical ? 1024 : 1280;
  in.dialogFrame = {3, 4};
  in.posLeft = c.posLeft;
  if (c.panel) in.panel = vertical ? Size{c.panel->cy, c.panel->cx} : *c.panel;
  in.button = ToolbarButtonSize(IconSize(c.large, c.dpi), c.dpi);
  in.dpi = c.dpi;
  const ToolbarPlan plan = PlanToolbar(entries, c.edge, in.button, c.dpi);
  const ToolbarFit fit = FitToolbar(SpansOf(plan, vertical), ToolbarRoom(in), ChevronLength(in.button, vertical, c.dpi));
  EXPECT_EQ(fit.shown, c.shown);
  EXPECT_EQ(fit.chevron, c.chevron);
  ASSERT_GT(fit.shown, 0u);
  EXPECT_EQ(fit.length, vertical ? plan.items[fit.shown - 1].rect.bottom : plan.items[fit.shown - 1].rect.right);
}

const Size kPanel96{165, 36};
const Size kPanel144{248, 54};

INSTANTIATE_TEST_SUITE_P(
    EdgesScalesAndSizes, ToolbarFitTest,
    ::testing::Values(
        // Room 1280 - 6 - 2 - 230 = 1042: 40 x 23 fit; of 50, those before the chevron (1042 - 14).
        FitCase{"TopSmallAllFit", kEdgeTop, 96, false, true, kPanel96, 40, 0, 40, false},
        FitCase{"TopSmallOverflow", kEdgeTop, 96, false, true, kPanel96, 50, 0, 44, true},
        // Panel at the far end: the room ends 20 before it, as long.
        FitCase{"BottomPanelAtFarEnd", kEdgeBottom, 96, false, false, kPanel96, 50, 0, 44, true},
        // A wider clock (a larger font) leaves 80 less room.
        FitCase{"TopWiderClock", kEdgeTop, 96, false, true, Size{245, 36}, 50, 0, 41, true},
        // No panel: the toolbar starts at 65, room 1207.
        FitCase{"TopNoPanel", kEdgeTop, 96, false, true, std::nullopt, 50, 0, 50, false},
        // 27 large buttons of 39 in 1026, a chevron of half a button (19).
        FitCase{"TopLarge", kEdgeTop, 96, true, true, kPanel96, 27, 0, 25, true},
        // 150 %: buttons of 59 (35 small), room 901 (925), chevron 29 (21).
        FitCase{"TopLarge150", kEdgeTop, 144, true, true, kPanel144, 27, 0, 14, true},
        FitCase{"TopSmall150", kEdgeTop, 144, false, true, kPanel144, 27, 0, 25, true},
        // Columns: 1024 - 8 - 2 - 229 = 785 for buttons 22 high.
        FitCase{"LeftSmall", kEdgeLeft, 96, false, true, kPanel96, 40, 0, 35, true},
        FitCase{"RightNoPanel", kEdgeRight, 96, false, false, std::nullopt, 40, 0, 40, false},
        FitCase{"LeftLarge150", kEdgeLeft, 144, true, true, kPanel144, 27, 0, 10, true},
        // The separator after the 44th button would end the row beside the
        // chevron: it goes with the buttons after it.
        FitCase{"SeparatorBeforeTheChevron", kEdgeTop, 96, false, true, kPanel96, 45, 44, 44, true},
        FitCase{"SeparatorThatFits", kEdgeTop, 96, false, true, kPanel96, 45, 10, 45, true}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<BarButtonEntry> Buttons(std::initializer_list<BarButtonEntry> list) { return list; }
const BarButtonEntry kSep{true, true, 0};

TEST(PlanToolbar, LeftEdgeStacksButtonsWithTheSeparatorAsRowGap) {
  // one, two, a separator, three
  const ToolbarPlan plan =
      PlanToolbar(Buttons({{false, true, 1124, 0}, {false, true, 1125, 1}, kSep, {false, true, 1127, 2}}), kEdgeLeft,
                  ToolbarButtonSize(kSmall));
  ASSERT_EQ(plan.items.size(), 4u);
  const bool wraps[] = {true, false, true, true};
  const Rect rects[] = {{0, 0, 23, 22}, {0, 22, 23, 44}, {0, 44, 23, 56}, {0, 56, 23, 78}};
  const int images[] = {0, 1, -1, 2};
  const int commands[] = {1124, 1125, 0, 1127};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(plan.items[i].wrap, wraps[i]);
    EXPECT_EQ(plan.items[i].rect, rects[i]);
    EXPECT_EQ(plan.items[i].imageIndex, images[i]);
    EXPECT_EQ(plan.items[i].commandId, commands[i]);
    EXPECT_EQ(plan.items[i].source, i);
  }
  EXPECT_EQ(plan.size, (Size{23, 78}));
}

TEST(PlanToolbar, UnavailableButtonsLeaveNoGap) {
  const ToolbarPlan plan =
      PlanToolbar(Buttons({{false, true, 1124, 0}, {false, false, 1125, 7}, {false, true, 1126, 1}}), kEdgeTop,
                  ToolbarButtonSize(kSmall));
  ASSERT_EQ(plan.items.size(), 2u);
  EXPECT_EQ(plan.items[1].source, 2u);
  EXPECT_EQ(plan.items[1].commandId, 1126);
  EXPECT_EQ(plan.items[1].imageIndex, 1);
  EXPECT_EQ(plan.items[1].rect, (Rect{23, 0, 46, 22}));
  EXPECT_FALSE(plan.items[0].wrap);
  EXPECT_FALSE(plan.items[1].wrap);
  EXPECT_EQ(plan.size, (Size{46, 22}));
}

// A button whose icon could not be appended is still placed, drawn without an
// image; its neighbours keep the images their own icons landed on.
TEST(PlanToolbar, ButtonWithoutIconKeepsItsPlaceAndTakesNoOtherImage) {
  const ToolbarPlan plan =
      PlanToolbar(Buttons({{false, true, 1124, 0}, {false, true, 1125, -1}, {false, true, 1126, 1}}), kEdgeTop,
                  ToolbarButtonSize(kSmall));
  ASSERT_EQ(plan.items.size(), 3u);
  EXPECT_EQ(plan.items[0].imageIndex, 0);
  EXPECT_EQ(plan.items[1].imageIndex, kNoImage);
  EXPECT_EQ(plan.items[1].commandId, 1125);
  EXPECT_EQ(plan.items[2].imageIndex, 1);
  EXPECT_EQ(plan.items[2].rect, (Rect{46, 0, 69, 22}));
}

TEST(PlanToolbar, WrapLooksAtTheNextPlacedItem) {
  // The hidden button between "one" and the separator is not on the bar, so
  // "one" is the item before the separator.
  const ToolbarPlan plan = PlanToolbar(Buttons({{false, true, 1124}, {false, false, 1125}, kSep, {false, true, 1127}}),
                                       kEdgeRight, ToolbarButtonSize(kLarge));
  ASSERT_EQ(plan.items.size(), 3u);
  EXPECT_FALSE(plan.items[0].wrap);
  EXPECT_TRUE(plan.items[1].wrap);
  EXPECT_EQ(plan.items[2].rect, (Rect{0, 50, 39, 88}));
  EXPECT_EQ(plan.size, (Size{39, 88}));
}

TEST(PlanToolbar, NothingPlacedGivesAnEmptyToolbar) {
  const ToolbarPlan hidden = PlanToolbar(Buttons({{false, false, 1124}}), kEdgeLeft, ToolbarButtonSize(kSmall));
  EXPECT_TRUE(hidden.items.empty());
  EXPECT_EQ(hidden.size, (Size{}));
}

// The logo lines measure 110 x 12 and 150 x 16; line 1 is 15 high in line 2's
// font. Window 1024 x 46 (or 46 x 768), dialog frame 3 x 4.
LogoInput Logo(int edge, bool posLeft, std::optional<Rect> panel) {
  LogoInput in;
  in.edge = edge;
  in.posLeft = posLeft;
  in.window = IsLeftOrRightEdge(edge) ? Size{46, 768} : Size{1024, 46};
  in.dialogFrame = {3, 4};
  in.line1 = {110, 12};
  in.line2 = {150, 16};
  in.line1HeightInLine2Font = 15;
  in.panel = panel;
  return in;
}

TEST(PlaceLogo, RowsStandAtTheFarEnd) {
  const LogoPlacement atEnd = PlaceLogo(Logo(kEdgeTop, true, Rect{2, 5, 167, 41}));
  EXPECT_FALSE(atEnd.rotated);
  EXPECT_EQ(atEnd.line1, (Point{1024 - 12 - 110, 0}));
  EXPECT_EQ(atEnd.line2, (Point{1024 - 12 - 150, 11}));

  const LogoPlacement beforePanel = PlaceLogo(Logo(kEdgeBottom, false, Rect{851, 5, 1016, 41}));
  EXPECT_EQ(beforePanel.line1, (Point{851 - 15 - 110 - 3, 0}));
  EXPECT_EQ(beforePanel.line2, (Point{851 - 15 - 150 - 3, 11}));

  // No panel to stand before: the window's end.
  EXPECT_EQ(PlaceLogo(Logo(kEdgeTop, false, std::nullopt)).line1, atEnd.line1);
}

TEST(PlaceLogo, ColumnsAreTurnedAndShareOneY) {
  const LogoPlacement atEnd = PlaceLogo(Logo(kEdgeLeft, true, Rect{5, 2, 41, 167}));
  EXPECT_TRUE(atEnd.rotated);
  EXPECT_EQ(atEnd.line1, (Point{0, 768 - 16 - 12}));
  EXPECT_EQ(atEnd.line2, (Point{11, 768 - 16 - 12}));

  const LogoPlacement beforePanel = PlaceLogo(Logo(kEdgeRight, false, Rect{5, 593, 41, 758}));
  EXPECT_EQ(beforePanel.line1, (Point{0, 593 - 15 - 4}));
  EXPECT_EQ(beforePanel.line2, (Point{11, 593 - 15 - 4}));
}

struct LogoFitCase {
  const char* name;
  int edge;
  bool posLeft;
  std::optional<Rect> panel;
  Size client;
  std::vector<Rect> taken;
  bool fits;
};

class LogoFitTest : public ::testing::TestWithParam<LogoFitCase> {};

// Placed as above: on a row the lines cover x 862..1012 and y 0..27; in a
// column x 0..27 and y 590..740 (before the panel: y 424..574).
TEST_P(LogoFitTest, DrawnOnlyInsideTheBarAndClearOfItsChildren) {
  const LogoFitCase& c = GetParam();
  LogoInput in = Logo(c.edge, c.posLeft, c.panel);
  in.client = c.client;
  in.taken = c.taken;
  EXPECT_EQ(LogoFits(in, PlaceLogo(in)), c.fits);
}

const Rect kRowPanel{2, 5, 167, 41};
const Rect kColumnPanel{5, 593, 41, 758};

INSTANTIATE_TEST_SUITE_P(
    EdgesAndChildren, LogoFitTest,
    ::testing::Values(
        LogoFitCase{"RowClearOfTheButtons", kEdgeTop, true, kRowPanel, {1018, 38}, {kRowPanel, {230, 12, 857, 34}}, true},
        // The toolbar (or the chevron) reaches within 4 pixels of line 2.
        LogoFitCase{"RowButtonsUnderIt", kEdgeTop, true, kRowPanel, {1018, 38}, {kRowPanel, {230, 12, 859, 34}}, false},
        LogoFitCase{"RowChevronUnderIt", kEdgeBottom, true, kRowPanel, {1018, 38}, {{1000, 12, 1014, 34}}, false},
        // A bar thinner than the two lines.
        LogoFitCase{"RowTooThin", kEdgeTop, true, std::nullopt, {1018, 26}, {}, false},
        LogoFitCase{"ColumnClearOfTheButtons", kEdgeLeft, true, Rect{5, 2, 41, 167}, {38, 760}, {{11, 229, 34, 585}},
                    true},
        LogoFitCase{"ColumnButtonsUnderIt", kEdgeLeft, true, Rect{5, 2, 41, 167}, {38, 760}, {{11, 229, 34, 600}},
                    false},
        LogoFitCase{"ColumnBeforeThePanel", kEdgeRight, false, kColumnPanel, {38, 760}, {kColumnPanel, {11, 44, 34, 400}},
                    true},
        // The lines run upwards out of a short column.
        LogoFitCase{"ColumnTooShort", kEdgeRight, false, Rect{5, 100, 41, 265}, {38, 760}, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
