#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "barwnd/window/bar_keyboard.h"

namespace {

constexpr KeyButton B{};
constexpr KeyButton S{true, false};
constexpr KeyButton H{false, true};

// Hidden and separator at the front, between and at the end.
const std::vector<KeyButton> kBar = {S, H, B, S, B, H, B, S};

TEST(MovedHighlight, EdgesSeparatorsAndHiddenButtons) {
  struct Case {
    int current;
    KeyMove move;
    int expected;
  };
  const std::vector<Case> cases = {
      {-1, KeyMove::kNext, 2},     {-1, KeyMove::kPrevious, 2}, {2, KeyMove::kNext, 4},
      {4, KeyMove::kNext, 6},      {6, KeyMove::kNext, 6},      {6, KeyMove::kPrevious, 4},
      {4, KeyMove::kPrevious, 2},  {2, KeyMove::kPrevious, 2},  {4, KeyMove::kFirst, 2},
      {2, KeyMove::kLast, 6},      {1, KeyMove::kNext, 2},      {99, KeyMove::kNext, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.current << " move " << static_cast<int>(c.move));
    EXPECT_EQ(MovedHighlight(kBar, c.current, c.move), c.expected);
  }
  EXPECT_EQ(MovedHighlight({S, H}, -1, KeyMove::kNext), -1);
  EXPECT_EQ(MovedHighlight({}, 0, KeyMove::kLast), -1);
}

TEST(ButtonOfDigit, FirstTenButtonsOnShow) {
  std::vector<KeyButton> bar = {S, H};
  for (int i = 0; i < 12; ++i) bar.insert(bar.end(), {B, S});
  // Button n (1-based, on show) stands at 2 + 2 (n - 1).
  const std::vector<std::pair<int, int>> cases = {{1, 2}, {5, 10}, {9, 18}, {0, 20}, {-1, -1}, {10, -1}};
  for (auto [digit, index] : cases) {
    SCOPED_TRACE(digit);
    EXPECT_EQ(ButtonOfDigit(bar, digit), index);
    if (index >= 0) EXPECT_EQ(DigitOfButton(bar, index), digit);
  }
  EXPECT_EQ(DigitOfButton(bar, 22), -1);  // the eleventh
  EXPECT_EQ(DigitOfButton(bar, 1), -1);   // hidden
  EXPECT_EQ(DigitOfButton(bar, 3), -1);   // separator
  EXPECT_EQ(ButtonOfDigit({B, B}, 3), -1);
}

TEST(RegistrationOfHotKey, ControlFlagsBecomeRegistrationModifiers) {
  struct Case {
    int32_t value;
    HotKeyRegistration expected;
  };
  const std::vector<Case> cases = {
      {0, {}},  {0x0500, {}},  {0x0251, {2, 0x51}},
      {0x0451, {1, 0x51}},  {0x0770, {7, 0x70}},  {-1, {}},  {0x10051, {}},
      // Without Ctrl or Alt a key would be taken from every program: none.
      {0x0051, {}},  {0x0070, {}},  {0x0151, {}},  {0x0351, {6, 0x51}},  {0x0D70, {5, 0x70}},  {0x0970, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(RegistrationOfHotKey(c.value), c.expected);
  }
}

// The toolbar built again under the keyboard: the same place in the bar where
// it is still on show, else the nearest one (the later of two as near).
TEST(KeptHighlight, SamePlaceOrTheNearestOnShow) {
  // Places 0, 1 (separator), 3, 4 (hidden), 6: places 2 and 5 went.
  const std::vector<KeyButton> bar = {{false, false, 0}, {true, false, 1}, {false, false, 3}, {false, true, 4}, {false, false, 6}};
  const std::vector<std::pair<int, int>> cases = {{0, 0}, {3, 2}, {1, 0}, {2, 2}, {4, 2}, {5, 4}, {40, 4}, {-1, 0}};
  for (auto [source, index] : cases) EXPECT_EQ(KeptHighlight(bar, source), index) << source;
  EXPECT_EQ(KeptHighlight({S}, 0), -1);
  EXPECT_EQ(KeptHighlight({B, B}, 3), 0) << "places not known: the first";
}

// A refused key is reported once for each choice, not at every apply.
TEST(HotKeyRefusals, EachRefusedChoiceOnce) {
  // value, refused, reported
  const std::vector<std::tuple<int32_t, bool, bool>> steps = {
      {0x651, true, true},  {0x651, true, false}, {0x652, true, true}, {0x651, true, true},
      {0x651, false, false}, {0x651, true, true}, {0, false, false},   {0x651, true, true}};
  HotKeyRefusals refusals;
  for (size_t i = 0; i < steps.size(); ++i)
    EXPECT_EQ(refusals.ToReport(std::get<0>(steps[i]), std::get<1>(steps[i])), std::get<2>(steps[i])) << i;
}

}  // namespace
