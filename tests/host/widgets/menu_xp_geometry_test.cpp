#include <gtest/gtest.h>

#include <vector>

#include "widgets/menu_colors.h"
#include "widgets/menu_xp_geometry.h"

namespace {

struct MeasureCase {
  const char* name;
  bool separator;
  Size text;
  MenuCheckMetrics check;
  Size expected;
};

TEST(MenuXpMeasure, ItemsAndSeparators) {
  const std::vector<MeasureCase> cases = {
      // The caption is higher than the icon square: its height wins.
      {"tall caption", false, {50, 20}, {13, 13}, {82, 20}},
      // A low caption: icon size + 4.
      {"low caption", false, {50, 12}, {13, 13}, {82, 20}},
      {"empty caption", false, {0, 0}, {15, 15}, {2 * 16 + 12 + 1 - 15, 20}},
      // The system adds the check-mark width back; the height is half of the check mark's.
      {"separator", true, {}, {13, 13}, {-12, 6}},
      {"separator, even", true, {}, {16, 16}, {-15, 8}},
  };
  for (const MeasureCase& c : cases) {
    const Size size = c.separator ? MeasureMenuSeparator(c.check) : MeasureMenuItem(16, c.text, c.check);
    EXPECT_EQ(size, c.expected) << c.name << ": " << size.cx << " x " << size.cy;
  }
}

TEST(MenuXpLayout, IconSquareAndCaptionFollowTheItemHeight) {
  const MenuItemLayout layout = LayOutMenuItem({10, 100, 160, 122}, 16);
  EXPECT_EQ(layout.iconColumn, (Rect{10, 100, 32, 122}));
  EXPECT_EQ(layout.iconSquare, layout.iconColumn);
  EXPECT_EQ(layout.iconInner, (Rect{12, 102, 30, 120}));
  EXPECT_EQ(layout.caption, (Rect{34, 100, 144, 122}));
}

TEST(MenuXpLayout, SeparatorLineAtTheMiddleAndColumnInsideTheItem) {
  const MenuSeparatorLayout layout = LayOutMenuSeparator({0, 40, 120, 46}, 16);
  EXPECT_EQ(layout.line, (Rect{0, 43, 120, 46}));
  EXPECT_EQ(layout.iconColumn, (Rect{0, 40, 20, 46}));
}

TEST(MenuXpCheckMark, ThreeStrokesCentredInTheSquare) {
  // A 16 x 16 square at (2, 2): x0 = 2 + 4, y0 = 2 + 4.
  const auto strokes = CheckMarkStrokes({2, 2, 18, 18});
  const std::vector<CheckMarkStroke> expected = {{
      {Point{6, 9}, Point{8, 11}, Point{13, 6}},
      {Point{6, 10}, Point{8, 12}, Point{13, 7}},
      {Point{6, 11}, Point{8, 13}, Point{13, 8}},
  }};
  EXPECT_EQ(strokes, expected);
  // Odd sizes round the offset down.
  EXPECT_EQ(CheckMarkStrokes({0, 0, 15, 13})[0][0], (Point{3, 5}));
}

TEST(MenuXpCaption, SplitsAtTheFirstTab) {
  struct Case {
    const char* text;
    CaptionParts expected;
  };
  const std::vector<Case> cases = {
      {"&Open", {"&Open", "", false}},
      {"Open\tCtrl+O", {"Open", "Ctrl+O", true}},
      {"a\tb\tc", {"a", "b\tc", true}},
      {"Open\t", {"Open", "", true}},
      {"\tCtrl+O", {"", "", false}},  // a leading tab hides the caption
      {"", {"", "", false}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCaptionAtTab(c.text), c.expected) << c.text;
}

// The same item at every display scale: the margins scale with the DPI and
// the icon side is the one the menu draws at (16, 20, 24, 32); at 96 DPI the
// numbers are the ones above.
TEST(MenuXpScale, MeasuresAndLayoutAtEveryDpi) {
  struct Case {
    int dpi;
    MenuCheckMetrics check;  // what the system reports at that DPI
    Size text;
    Size measured;
    Rect iconInner;
    Rect icon;
    Rect caption;
    Rect separatorColumn;
  };
  const std::vector<Case> cases = {
      {96, {13, 13}, {50, 12}, {82, 20}, {2, 2, 18, 18}, {2, 2, 18, 18}, {22, 0, 184, 20}, {0, 0, 20, 6}},
      {120, {16, 16}, {62, 15}, {40 + 62 + 15 + 1 - 16, 25}, {3, 3, 22, 22}, {3, 3, 23, 23}, {28, 0, 180, 25},
       {0, 0, 25, 6}},
      {144, {19, 19}, {75, 18}, {48 + 75 + 18 + 1 - 19, 30}, {3, 3, 27, 27}, {3, 3, 27, 27}, {33, 0, 176, 30},
       {0, 0, 30, 6}},
      {192, {26, 26}, {100, 24}, {64 + 100 + 24 + 1 - 26, 40}, {4, 4, 36, 36}, {4, 4, 36, 36}, {44, 0, 168, 40},
       {0, 0, 40, 6}},
  };
  for (const Case& c : cases) {
    const DisplayScale scale{c.dpi};
    const int icon = IconSidesAt(c.dpi).small;
    EXPECT_EQ(MeasureMenuItem(icon, c.text, c.check, scale), c.measured) << c.dpi;
    const Rect item = {0, 0, 200, c.measured.cy};
    const MenuItemLayout layout = LayOutMenuItem(item, icon, scale);
    EXPECT_EQ(layout.iconColumn, (Rect{0, 0, c.measured.cy, c.measured.cy})) << c.dpi;
    EXPECT_EQ(layout.iconInner, c.iconInner) << c.dpi;
    EXPECT_EQ(layout.icon, c.icon) << c.dpi;
    EXPECT_EQ(layout.icon.Width(), icon) << c.dpi;
    EXPECT_EQ(layout.caption, c.caption) << c.dpi;
    EXPECT_EQ(LayOutMenuSeparator({0, 0, 200, 6}, icon, scale).iconColumn, c.separatorColumn) << c.dpi;
  }
}

// A caption taller than the icon square: the icon keeps its size, centred,
// and is never stretched to the item's height.
TEST(MenuXpScale, IconIsCentredNotStretchedInATallItem) {
  const MenuItemLayout layout = LayOutMenuItem({0, 0, 200, 31}, 16);
  EXPECT_EQ(layout.iconInner, (Rect{2, 2, 29, 29}));
  EXPECT_EQ(layout.icon, (Rect{7, 7, 23, 23}));
}

// The tick keeps its 45-degree segments and grows thicker with the scale.
TEST(MenuXpScale, CheckMarkAtEveryDpi) {
  struct Case {
    int dpi;
    int strokes;
    CheckMarkStroke first;  // in a square of 4 x the tick at the origin
  };
  const std::vector<Case> cases = {
      {96, 3, {Point{12, 15}, Point{14, 17}, Point{19, 12}}},
      {120, 4, {Point{15, 19}, Point{18, 22}, Point{25, 15}}},
      {144, 5, {Point{18, 23}, Point{21, 26}, Point{29, 18}}},
      {192, 6, {Point{24, 30}, Point{28, 34}, Point{38, 24}}},
  };
  for (const Case& c : cases) {
    const int side = ScalePx(8, c.dpi);
    const auto strokes = CheckMarkStrokes({0, 0, 4 * side, 4 * side}, {c.dpi});
    ASSERT_EQ(static_cast<int>(strokes.size()), c.strokes) << c.dpi;
    EXPECT_EQ(strokes[0], c.first) << c.dpi;
    const CheckMarkStroke& s = strokes[0];
    EXPECT_EQ(s[1].x - s[0].x, s[1].y - s[0].y) << c.dpi;  // down at 45 degrees
    EXPECT_EQ(s[2].x - s[1].x, s[1].y - s[2].y) << c.dpi;  // up at 45 degrees
    EXPECT_EQ(strokes.back()[0].y, s[0].y + c.strokes - 1) << c.dpi;
  }
}

TEST(MenuColors, DefaultsComeFromTheSystemAndTheIconColumnIsACopy) {
  const auto system = [](SystemColorRole role) { return 0x100u + static_cast<uint32_t>(role); };
  MenuColors colors = DefaultMenuColors(system);
  EXPECT_EQ(colors.background, system(SystemColorRole::kMenu));
  EXPECT_EQ(colors.selection, system(SystemColorRole::kHighlight));
  EXPECT_EQ(colors.text, system(SystemColorRole::kMenuText));
  EXPECT_EQ(colors.selectedText, system(SystemColorRole::kHighlightText));
  EXPECT_EQ(colors.disabledText, system(SystemColorRole::kGrayText));
  colors.background = 0xDEE1E9;
  EXPECT_EQ(colors.iconColumn, system(SystemColorRole::kMenu));
}

}  // namespace
