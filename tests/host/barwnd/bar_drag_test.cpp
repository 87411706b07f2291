// Dragging a button of the bar: the drop's slot under the mouse turned into
// the bar's new order (row and column, hidden buttons and the chevron), the
// move to another bar, and the steps from a press to a drag and its end.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "barwnd/drag/button_move.h"
#include "barwnd/drag/drag_steps.h"
#include "db/cdb.h"

namespace {

using Names = std::vector<std::string>;

// The top bar of the drop table: a, b, a separator and c placed from x = 45,
// h and g hidden; the bar-switch button before them, the chevron after them.
void Fill(CDB& db, const Names& names) {
  db.AddBar("bar");
  for (const std::string& name : names) {
    if (name == "-") {
      db.Bar(0)->InsertSeparator(-1);
      continue;
    }
    ButtonSpec button;
    button.Name = name;
    button.Available = name != "h" && name != "g";
    db.AddButton(button);
  }
}

Names NamesOf(const CBar& bar) {
  Names names;
  for (int32_t i = 0; i < bar.Count(); ++i) names.push_back(bar.At(i)->IsSeparator ? "-" : bar.At(i)->Name);
  return names;
}

DropLayout Placed(bool vertical) {
  auto across = [vertical](Rect r) { return vertical ? Rect{r.top, r.left, r.bottom, r.right} : r; };
  DropLayout layout{vertical, {}, across({45, 5, 68, 27}), 6, {across({2, 5, 25, 27})}, across({150, 5, 164, 27}), {}};
  for (auto [position, left, right] : {std::tuple{0, 45, 68}, {1, 68, 91}, {2, 91, 103}, {4, 103, 126}})
    layout.items.push_back({position, across({left, 5, right, 27})});
  return layout;
}

struct LandCase {
  const char* name;
  int32_t from;
  int along;  // the release point along the bar
  Names order;  // empty: nothing moves
};

class DragLandingTest : public testing::TestWithParam<std::tuple<LandCase, bool>> {};

TEST_P(DragLandingTest, TheDropSlotGivesTheNewOrder) {
  const auto& [c, vertical] = GetParam();
  const Names before = {"a", "b", "-", "h", "c", "g"};
  CDB db;
  Fill(db, before);
  // Let go at `along`.
  const std::optional<DropSlot> slot = DropSlotAt(Placed(vertical), vertical ? Point{10, c.along} : Point{c.along, 10});
  const bool moved = slot && MoveToSlot(*db.Bar(0), c.from, slot->index);
  EXPECT_EQ(moved, !c.order.empty());
  EXPECT_EQ(NamesOf(*db.Bar(0)), c.order.empty() ? before : c.order);
  EXPECT_EQ(db.Bar(0)->At(1)->CommandId, ButtonCommandId(0, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Releases, DragLandingTest,
    testing::Combine(testing::Values(LandCase{"DownPastTheNext", 0, 85, {"b", "a", "-", "h", "c", "g"}},
                                     LandCase{"UpToTheFront", 4, 35, {"c", "a", "b", "-", "h", "g"}},
                                     LandCase{"OwnPlaceNearHalf", 1, 70, {}},
                                     LandCase{"OwnPlaceFarHalf", 1, 85, {}},
                                     // Hidden h stays before c, the button it stood before.
                                     LandCase{"BeforeAHiddenOne", 0, 100, {"b", "-", "h", "a", "c", "g"}},
                                     LandCase{"ASeparator", 2, 50, {"-", "a", "b", "h", "c", "g"}},
                                     LandCase{"PastTheLastAndTheHidden", 0, 120, {"b", "-", "h", "c", "g", "a"}},
                                     LandCase{"OnTheChevron", 1, 155, {"a", "-", "h", "c", "g", "b"}},
                                     LandCase{"OnTheSwitchButton", 0, 10, {}}),
                     testing::Bool()),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Column" : "Row");
    });

TEST(DragToBar, GoesToTheEndOfTheOtherBarOrOfItsOwn) {
  CDB db;
  Fill(db, {"a", "b", "c"});
  db.AddBar("other");
  EXPECT_TRUE(MoveToBarEnd(db, 0, 0, 1));
  EXPECT_EQ(NamesOf(*db.Bar(0)), (Names{"b", "c"}));
  EXPECT_EQ(NamesOf(*db.Bar(1)), (Names{"a"}));
  EXPECT_EQ(db.Bar(1)->At(0)->CommandId, ButtonCommandId(1, 0));
  EXPECT_TRUE(MoveToBarEnd(db, 0, 0, 0));
  EXPECT_FALSE(MoveToBarEnd(db, 0, 1, 0));  // the last one is at the end already
  EXPECT_FALSE(MoveToBarEnd(db, 0, 0, 2));
  EXPECT_EQ(NamesOf(*db.Bar(0)), (Names{"c", "b"}));
}

// The effects that are set, by name, in their order.
std::string Named(const DragSteps::Effects& e) {
  const std::pair<bool, const char*> flags[] = {
      {e.begin, "begin"}, {e.follow, "follow"},       {e.hoverStart, "hover"}, {e.hoverStop, "unhover"},
      {e.end, "end"},     {e.releaseMouse, "release"}, {e.drop, "drop"},        {e.openSwitchMenu, "menu"},
      {e.swallow, "swallow"}};
  std::string names;
  for (const auto& [on, name] : flags) names += on ? (names.empty() ? "" : " ") + std::string(name) : "";
  return names;
}

// Message by message after a press at x = 0, with a drag distance of 4.
class DragStepsTest : public testing::Test {
 protected:
  DragStepsTest() { steps.Press(3, {0, 0}); }
  std::string Move(int x, bool overSwitch = false) { return Named(steps.Move({x, 0}, {4, 4}, overSwitch)); }
  std::string Up(bool left, bool anyDown = false) { return Named(steps.Up(left, anyDown)); }
  DragSteps steps;
};

TEST_F(DragStepsTest, AShortPressIsTheToolbarsClickALongerOneADrop) {
  EXPECT_EQ(Move(4), "");
  EXPECT_EQ(Up(true), "");
  steps.Press(3, {0, 0});
  EXPECT_EQ(Move(5), "begin follow swallow");
  EXPECT_EQ(Move(9), "follow swallow");
  EXPECT_EQ(Up(true), "end release drop swallow");
  EXPECT_EQ(Named(steps.Lost()), "");
}

TEST_F(DragStepsTest, CalledOffItKeepsTheMouseUntilEveryButtonIsUp) {
  EXPECT_EQ(Move(-5), "begin follow swallow");
  EXPECT_EQ(Named(steps.CallOff()), "end swallow");
  EXPECT_EQ(Move(9), "swallow");
  EXPECT_EQ(Up(true, true), "swallow");
  EXPECT_EQ(Up(false), "release swallow");
  EXPECT_EQ(steps.CurrentPhase(), DragSteps::Phase::kIdle);
}

TEST_F(DragStepsTest, RestingOnTheSwitchButtonOpensItsMenuLeavingItStopsTheTimer) {
  EXPECT_EQ(Move(5, true), "begin follow hover swallow");
  EXPECT_EQ(Move(9), "follow unhover swallow");
  EXPECT_EQ(Named(steps.HoverElapsed()), "unhover");
  EXPECT_EQ(Move(6, true), "follow hover swallow");
  EXPECT_EQ(Named(steps.HoverElapsed()), "unhover end release menu swallow");
  EXPECT_EQ(steps.CurrentPhase(), DragSteps::Phase::kIdle);
}

}  // namespace
