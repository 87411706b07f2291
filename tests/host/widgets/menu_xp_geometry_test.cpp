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
  const std::array<CheckMarkStroke, 3> expected = {{
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
