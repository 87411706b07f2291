#include <gtest/gtest.h>

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
      {0, {}},  {0x0500, {}},  {0x0151, {4, 0x51}},  {0x0251, {2, 0x51}},
      {0x0451, {1, 0x51}},  {0x0770, {7, 0x70}},  {-1, {}},  {0x10051, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(RegistrationOfHotKey(c.value), c.expected);
  }
}

}  // namespace
