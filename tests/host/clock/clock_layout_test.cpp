#include "clock/clock_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

// 6 pixels a character; dates are 16 high and times 12, so a test can tell
// whose height was taken.
TextExtent FakeMeasure(const std::string& text) {
  bool isTime = text.find(':') != std::string::npos && text.find(' ') == std::string::npos;
  return {static_cast<int>(text.size()) * 6, isTime ? 12 : 16};
}

const ClockTexts kTexts{"23 January 2002", "21:05"};  // 90 and 30 pixels wide; gap 12

TEST(ClockPanelLength, AddsATenthAndCutsTheFraction) {
  struct Case {
    ClockTexts texts;
    ClockShape shape;
    int expected;
  } cases[] = {
      {kTexts, {true, true, false}, 99},        // the wider line, 90 × 1.1
      {kTexts, {true, true, true}, 145},        // 90 + 12 + 30 = 132, × 1.1 = 145.2
      {{"", "21:05"}, {false, true, false}, 33},
      {{"", "21:05"}, {false, true, true}, 46},  // the gap counts on one line even alone: 42 × 1.1
      {{"abcde", ""}, {true, false, false}, 33},  // 30 × 1.1 cut from 33.0
      {{"a", ""}, {true, false, false}, 6},       // 6.6 cut to 6
      {{"", ""}, {false, false, false}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClockPanelLength(c.texts, c.shape, FakeMeasure), c.expected) << c.texts.Date << "|" << c.texts.Time;
  }
}

// A tick measures the texts for its repaint, the bar's layout and the paint:
// only a text not measured in this font before reaches the system, and the
// memo forgets every text when the font changes.
TEST(TextExtentMemo, MeasuresEachTextOnceUntilForgotten) {
  std::map<std::string, int> asked;
  const TextMeasure counted = [&](const std::string& text) {
    ++asked[text];
    return FakeMeasure(text);
  };
  TextExtentMemo memo;
  const TextMeasure measure = [&](const std::string& text) { return memo.Measure(text, counted); };
  for (const char* time : {"21:05:07", "21:05:08", "21:05:09"}) {
    const ClockTexts texts{kTexts.Date, time};
    for (int pass = 0; pass < 3; ++pass) {
      EXPECT_EQ(ClockPanelLength(texts, {true, true, true}, measure), ClockPanelLength(texts, {true, true, true},
                                                                                      FakeMeasure));
    }
  }
  EXPECT_EQ(asked, (std::map<std::string, int>{{kTexts.Date, 1}, {kClockLineGap, 1}, {"21:05:07", 1},
                                               {"21:05:08", 1}, {"21:05:09", 1}}));
  for (int i = 0; i < static_cast<int>(TextExtentMemo::kKept) * 2; ++i) measure(std::to_string(i));
  measure(kTexts.Date);  // pushed out by newer texts: measured again
  memo.Forget();
  measure("21:05:09");
  EXPECT_EQ(asked[kTexts.Date], 2);
  EXPECT_EQ(asked["21:05:09"], 2);
}

TEST(ClockPanelThickness, OneOrTwoLinesOfTheFirstLinesHeight) {
  EXPECT_EQ(ClockPanelThickness(kTexts, {true, true, false}, FakeMeasure), 16 * 2 + 4);
  EXPECT_EQ(ClockPanelThickness(kTexts, {true, true, true}, FakeMeasure), 16 + 4);
  EXPECT_EQ(ClockPanelThickness({"", "21:05"}, {false, true, false}, FakeMeasure), 12 * 2 + 4);
  EXPECT_EQ(ClockPanelThickness({"", ""}, {false, false, false}, FakeMeasure), 4);
  EXPECT_EQ(ClockPanelThickness({"", ""}, {false, false, true}, FakeMeasure), 4);
}

TEST(ClockPanelSize, LengthRunsAlongTheBar) {
  struct Case {
    int edge;
    PanelSize expected;
  } cases[] = {{0, {20, 99}}, {1, {99, 20}}, {2, {20, 99}}, {3, {99, 20}}, {7, {99, 20}}};
  for (const Case& c : cases) {
    PanelSize size = ClockPanelSize(c.edge, 99, 20);
    EXPECT_EQ(size.Width, c.expected.Width) << c.edge;
    EXPECT_EQ(size.Height, c.expected.Height) << c.edge;
  }
}

struct PlacementCase {
  const char* name;
  int edge;
  ClientRect client;
  ClockTexts texts;
  ClockShape shape;
  std::vector<PlacedText> expected;
};

class ClockPlacementTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(ClockPlacementTest, PlacesTheTexts) {
  const PlacementCase& c = GetParam();
  std::vector<PlacedText> placed = PlaceClockTexts(c.edge, c.client, c.texts, c.shape, FakeMeasure);
  ASSERT_EQ(placed.size(), c.expected.size());
  for (size_t i = 0; i < placed.size(); ++i) {
    EXPECT_EQ(placed[i].Text, c.expected[i].Text) << i;
    EXPECT_EQ(placed[i].X, c.expected[i].X) << i;
    EXPECT_EQ(placed[i].Y, c.expected[i].Y) << i;
  }
}

const ClientRect kWide{0, 0, 160, 36};
const ClientRect kTall{0, 0, 36, 160};

INSTANTIATE_TEST_SUITE_P(
    Edges, ClockPlacementTest,
    testing::Values(
        // One text, date first, centred: (160 - 132) / 2.
        PlacementCase{"TopOneLine", 1, kWide, kTexts, {true, true, true}, {{"23 January 2002  21:05", 14, 1}}},
        PlacementCase{"BottomOneLineTimeOnly", 3, kWide, {"", "21:05"}, {false, true, true}, {{"21:05", 65, 1}}},
        // Upwards from 160 - (160 - 132) / 2.
        PlacementCase{"LeftOneLine", 0, kTall, kTexts, {true, true, true}, {{"23 January 2002  21:05", 0, 146}}},
        PlacementCase{"RightOneLineDateOnly", 2, kTall, {"23 January 2002", ""}, {true, false, true},
                      {{"23 January 2002", 0, 125}}},
        PlacementCase{"TopTwoLines", 1, kWide, kTexts, {true, true, false},
                      {{"23 January 2002", 35, 1}, {"21:05", 65, 16}}},
        // With the date off the time keeps the second line, at its own height.
        PlacementCase{"TopTwoLinesTimeOnly", 1, kWide, {"", "21:05"}, {false, true, false}, {{"21:05", 65, 12}}},
        PlacementCase{"LeftTwoLines", 0, kTall, kTexts, {true, true, false},
                      {{"23 January 2002", 1, 125}, {"21:05", 16, 95}}},
        PlacementCase{"RightTwoLinesTimeOnly", 2, kTall, {"", "21:05"}, {false, true, false}, {{"21:05", 12, 95}}},
        // A client rectangle not at the origin, and halves cut towards zero
        // when the text is wider than the panel: (50 - 90 - 10) / 2 = -25.
        PlacementCase{"OffsetAndOverflow", 1, ClientRect{10, 4, 50, 40}, {"23 January 2002", ""}, {true, false, false},
                      {{"23 January 2002", -25, 1}}},
        PlacementCase{"OddHalfTowardsZero", 1, ClientRect{0, 0, 61, 20}, {"", "21:05"}, {false, true, true},
                      {{"21:05", 15, 1}}},
        PlacementCase{"NothingShown", 1, kWide, {"", ""}, {false, false, true}, {}},
        PlacementCase{"NothingShownTwoLines", 0, kTall, {"", ""}, {false, false, false}, {}}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// Each tick is set for just after the next whole second, whatever the
// millisecond of the reading, so no second is shown twice or skipped.
TEST(DelayToNextSecond, LandsJustAfterTheNextSecond) {
  struct Case {
    int millisecond;
    int delay;
  } cases[] = {{0, 1020}, {1, 1019}, {500, 520}, {980, 40}, {999, 21},
               // readings outside a second's range are taken at its ends
               {-5, 1020}, {1000, 21}};
  for (const Case& c : cases) {
    EXPECT_EQ(DelayToNextSecond(c.millisecond), c.delay) << c.millisecond;
    const int landsAt = (std::clamp(c.millisecond, 0, 999) + c.delay) % 1000;
    EXPECT_GE(landsAt, kTickMarginMilliseconds) << c.millisecond;
  }
}

// Without seconds the tick waits for the next whole minute; a periodic timer
// that lands just after its turn is left as it is.
TEST(DelayToNextTick, NextSecondOrMinuteAndReArmingOnlyWhenOff) {
  struct Case {
    int second;
    int millisecond;
    bool seconds;
    int delay;
  } cases[] = {{7, 500, true, 520}, {0, 20, false, 60000}, {59, 990, false, 30}, {30, 0, false, 30020}};
  for (const Case& c : cases) {
    LocalTime now;
    now.Second = c.second;
    now.Millisecond = c.millisecond;
    EXPECT_EQ(DelayToNextTick(now, c.seconds), c.delay) << c.second << "." << c.millisecond;
  }
  struct Rearm {
    int wanted;
    int armed;
    int result;
  } rearms[] = {{1000, 1000, 0},    {980, 1000, 0},  {1020, 1000, 0}, {979, 1000, 979},
                {25, 1000, 25},     {1000, 0, 1000}, {60000, 1000, 60000}, {59990, 60000, 0}};
  for (const Rearm& r : rearms) EXPECT_EQ(DelayToRearm(r.wanted, r.armed), r.result) << r.wanted << "/" << r.armed;
}

// A tick paints again only what changed; the time's own line runs from where
// the time was placed to the panel's far side.
TEST(RepaintAfterTick, OnlyWhatChanged) {
  const ClockShape two{true, true, false};
  const ClockShape one{true, true, true};
  struct Case {
    ClockTexts next;
    ClockShape shape;
    ClockRepaint expected;
  } cases[] = {{kTexts, two, ClockRepaint::kNothing},
               {{kTexts.Date, "21:06"}, two, ClockRepaint::kTimeLine},
               {{kTexts.Date, "21:06"}, one, ClockRepaint::kAll},  // one line, centred as a whole
               {{"24 January 2002", "21:05"}, two, ClockRepaint::kAll}};
  for (const Case& c : cases) {
    EXPECT_EQ(RepaintAfterTick(kTexts, c.next, c.shape), c.expected) << c.next.Date << "|" << c.next.Time;
  }
  const ClientRect top = TimeLineArea(1, kWide, {"21:05", 65, 16});
  EXPECT_EQ(std::vector<int>({top.Left, top.Top, top.Right, top.Bottom}), std::vector<int>({0, 16, 160, 36}));
  const ClientRect left = TimeLineArea(0, kTall, {"21:05", 16, 95});
  EXPECT_EQ(std::vector<int>({left.Left, left.Top, left.Right, left.Bottom}), std::vector<int>({16, 0, 36, 160}));
}

}  // namespace

namespace {

// The panel at every display scale: the texts measured in a font that grows
// with the DPI, the margins scaled; at 96 DPI the numbers of the tests above.
TEST(ClockPanelScale, ThicknessPlacementAndDefaultLengthAtEveryDpi) {
  struct Case {
    int dpi;
    int thickness;       // two lines of the date's height and the margin
    int lengthNoWindow;  // before the panel has a window
    int inset;           // the first line's distance from the panel's top
  } cases[] = {{96, 36, 150, 1}, {120, 45, 188, 1}, {144, 54, 225, 2}, {192, 72, 300, 2}};
  for (const Case& c : cases) {
    const DisplayScale scale{c.dpi};
    const TextMeasure scaled = [&](const std::string& text) {
      const TextExtent e = FakeMeasure(text);
      return TextExtent{scale.Px(e.Width), scale.Px(e.Height)};
    };
    EXPECT_EQ(ClockPanelThickness(kTexts, {true, true, false}, scaled, scale), c.thickness) << c.dpi;
    EXPECT_EQ(ClockLengthWithoutWindow(scale), c.lengthNoWindow) << c.dpi;
    const ClientRect wide{0, 0, scale.Px(160), c.thickness};
    const auto placed = PlaceClockTexts(1, wide, kTexts, {true, true, false}, scaled, scale);
    ASSERT_EQ(placed.size(), 2u) << c.dpi;
    EXPECT_EQ(placed[0].Y, c.inset) << c.dpi;
    EXPECT_EQ(placed[1].Y, scale.Px(16)) << c.dpi;  // the time under the date
    const ClientRect tall{0, 0, c.thickness, scale.Px(160)};
    EXPECT_EQ(PlaceClockTexts(0, tall, kTexts, {true, true, false}, scaled, scale)[0].X, c.inset) << c.dpi;
  }
}

// The chosen font keeps its point size: its pixel height at 96 DPI grows with
// the scale (a 9-point font is 12 pixels at 96 DPI, 18 at 144); everything
// else, and the record it comes from, stays.
TEST(ClockPanelScale, FontKeepsItsPointSize) {
  FontRecord chosen;
  chosen.Height = -12;
  chosen.Width = 5;
  chosen.Weight = 700;
  chosen.Italic = 1;
  std::snprintf(chosen.FaceName, sizeof chosen.FaceName, "%s", "Arial");
  const FontRecord stored = chosen;
  struct Case {
    int dpi;
    int height;
    int width;
  } cases[] = {{96, -12, 5}, {120, -15, 6}, {144, -18, 8}, {192, -24, 10}};
  for (const Case& c : cases) {
    FontRecord expected = chosen;
    expected.Height = c.height;
    expected.Width = c.width;
    EXPECT_EQ(ClockFontAt(chosen, {c.dpi}), expected) << c.dpi;
  }
  EXPECT_EQ(chosen, stored);
  FontRecord cell = chosen;  // a positive height (the cell's) scales the same way
  cell.Height = 16;
  EXPECT_EQ(ClockFontAt(cell, {144}).Height, 24);
}

}  // namespace
