#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "barwnd/window/dialog_count.h"

namespace {

// '+' opens, '-' closes; what the bar hears and whether it is held afterwards.
struct CountCase {
  const char* name;
  const char* steps;
  std::vector<bool> heard;
  bool openAfter;
};

class DialogCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(DialogCountTest, TheBarHearsOnlyNoneToSomeAndBack) {
  std::vector<bool> heard;
  DialogCount count([&](bool open) { heard.push_back(open); });
  for (const char* step = GetParam().steps; *step; ++step) {
    if (*step == '+') count.Enter(); else count.Leave();
  }
  EXPECT_EQ(heard, GetParam().heard);
  EXPECT_EQ(count.Open(), GetParam().openAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DialogCountTest,
    testing::Values(CountCase{"one", "+-", {true, false}, false},
                    // a box over the options sheet closes first: the sheet still holds the bar
                    CountCase{"nestedInnerClosesFirst", "++-", {true}, true},
                    CountCase{"nestedBothClosed", "++--", {true, false}, false},
                    CountCase{"strayCloseWhileNone", "-+", {true}, true},
                    CountCase{"strayCloseDoesNotEatALaterOpening", "+--+-", {true, false, true, false}, false}),
    [](const testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

// A hold ends once: by End, by an assignment over it, or when an exception leaves its scope.
TEST(DialogCountScopeTest, HoldsEndOnceHoweverTheyEnd) {
  DialogCount count;
  const ScopeEnd other = count.Hold();
  ScopeEnd kept = count.Hold();
  kept = count.Hold();
  EXPECT_EQ(count.Count(), 2);
  kept.End();
  kept.End();
  EXPECT_THROW({ const ScopeEnd held = count.Hold(); throw std::runtime_error("work"); }, std::runtime_error);
  EXPECT_EQ(count.Count(), 1);
}

TEST(DialogCountScopeTest, NestedScopesEndTheHoldOnlyWithTheOuterOne) {
  DialogCount count;
  {
    DialogCount::Scope outer(count);
    { DialogCount::Scope inner(count); }
    EXPECT_TRUE(count.Open());
  }
  EXPECT_FALSE(count.Open());
}

}  // namespace
