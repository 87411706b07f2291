// The manager's tool-bar commands on an in-memory database: adding buttons,
// bars and separators, deleting, moving, preset bars.
#include "editing/manager/manager_rules.h"
#include "manager_fixture.h"

namespace {

TEST_F(ManagerTest, AddingAfterTheThirdOfFiveButtonsShiftsTheLaterItems) {
  MakeBars({"Tools: a, b, c, d, e"});
  Open();
  ASSERT_TRUE(Click(Item(0, 2)));
  Editor().OnAddButton();
  EXPECT_EQ(Captions(Item(0)), "a@0, b@1, c@2, --new button--@0, d@3, e@4");
  view_.controls.Target = "C:\\n.exe";
  view_.controls.Name = "n";
  ASSERT_TRUE(Click(Item(0, 0)));
  EXPECT_EQ(Captions(Item(0)), "a@0, b@1, c@2, n@3, d@4, e@5");
  EXPECT_EQ(Describe(), "Tools: a, b, c, n, d, e");
  EXPECT_EQ(db_.Bar(0)->At(3)->CommandId, 1124 + 3);
}

TEST_F(ManagerTest, AddButtonNeedsABarAndACompletedType) {
  MakeBars({"Tools: a", "Empty"});
  Open();
  ASSERT_TRUE(Click(Tree().Root()));
  Editor().OnAddButton();
  EXPECT_EQ(view_.messages, std::vector<std::string>{"no bar for the button"});
  ASSERT_TRUE(Click(Item(0, 0)));
  view_.chosenKind = -1;  // the type choice cancelled
  Editor().OnAddButton();
  EXPECT_EQ(Captions(Item(0)), "a@0");
  EXPECT_EQ(Editor().Selected(), Item(0, 0));
  // An empty bar gets the button as its only one.
  view_.chosenKind = kFolder;
  ASSERT_TRUE(Click(Item(1)));
  Editor().OnAddButton();
  EXPECT_EQ(view_.layout, kLayoutFolder);
  view_.controls.Target = "C:\\Docs";
  view_.controls.Name = "Docs";
  Editor().OnRestore();  // "Decline": nothing is added
  EXPECT_EQ(Captions(Item(1)), "");
  EXPECT_EQ(Editor().Selected(), Item(1));
  Editor().OnAddButton();
  view_.controls.Target = "C:\\Docs";
  view_.controls.Name = "Docs";
  Editor().OnAddButton();  // commits the pending one, then asks for the next
  EXPECT_EQ(Describe(), "Tools: a | Empty: Docs");
  EXPECT_EQ(Captions(Item(1)), "Docs@0, --new button--@1");
}

TEST_F(ManagerTest, SeparatorAfterTheFirstButtonIsPositionOne) {
  MakeBars({"Tools: a, b"});
  Open();
  Editor().OnSeparator();
  EXPECT_EQ(Describe(), "Tools: a, -, b");
  EXPECT_EQ(Captions(Item(0)), "a@0, - separator -@1, b@2");
  EXPECT_EQ(Editor().Selected(), Item(0, 0));
}

TEST_F(ManagerTest, DeletingButtonsAndBars) {
  MakeBars({"Tools: a, b, c", "Empty", "Games: chess"});
  Open();
  ASSERT_TRUE(Click(Item(0, 1)));
  Editor().OnDelete();
  EXPECT_EQ(Captions(Item(0)), "a@0, c@1");
  EXPECT_EQ(Tree().At(Editor().Selected()).Caption, "c");
  // A bar with buttons asks first; "No" keeps it.
  ASSERT_TRUE(Click(Item(2)));
  view_.answerYes = false;
  Editor().OnDelete();
  EXPECT_EQ(view_.questions,
            std::vector<std::string>{"Remove the following quickrail with all its buttons:\nGames\nAre you sure ?"});
  // An empty bar goes without a question.
  ASSERT_TRUE(Click(Item(1)));
  Editor().OnDelete();
  EXPECT_EQ(view_.questions.size(), 1u);
  EXPECT_EQ(Describe(), "Tools: a, c | Games: chess");
  EXPECT_EQ(Captions(Tree().Root()), "Tools@0, Games@1");
  // An uncommitted new button leaves the bar as it was.
  ASSERT_TRUE(Click(Item(0, 0)));
  Editor().OnAddButton();
  Editor().OnDelete();
  EXPECT_EQ(Captions(Item(0)), "a@0, c@1");
}

TEST_F(ManagerTest, MovingButtonsFollowsTheButtonAndStopsAtTheEnds) {
  MakeBars({"Tools: a, b, -"});
  Open();
  Editor().OnMoveUp();
  EXPECT_EQ(Describe(), "Tools: a, b, -");
  Editor().OnMoveDown();
  EXPECT_EQ(Describe(), "Tools: b, a, -");
  EXPECT_EQ(Captions(Item(0)), "b@0, a@1, - separator -@2");
  EXPECT_EQ(view_.controls.Name, "a");
  Editor().OnMoveDown();
  Editor().OnMoveDown();  // the last one: nothing
  EXPECT_EQ(Describe(), "Tools: b, -, a");
  EXPECT_EQ(Editor().SelButton(), 2);
  // A button whose fields cannot be left stays where it is.
  view_.controls.Name.clear();
  Editor().OnMoveUp();
  EXPECT_EQ(Describe(), "Tools: b, -, a");
}

TEST_F(ManagerTest, MovingAndDeletingBarsKeepHomeAndDisplayedBarsOnTheirBars) {
  MakeBars({"A: a", "B: b", "C: c", "D: d"});
  db_.Bar(1)->ShowOnLaunch = 1;
  db_.SetHomeBar(1);
  host_.displayed = 2;
  Open();
  ASSERT_TRUE(Click(Item(1)));
  Editor().OnMoveDown();  // B below C
  EXPECT_EQ(Describe(), "A: a | C: c | B*: b | D: d");
  EXPECT_EQ(host_.displayed, 1) << "C is still shown";
  EXPECT_EQ(Tree().At(Editor().Selected()).Caption, "B");
  Editor().OnMoveDown();
  Editor().OnMoveDown();  // already last
  EXPECT_EQ(Describe(), "A: a | C: c | D: d | B*: b");
  ASSERT_TRUE(Click(Item(0)));
  Editor().OnMoveUp();  // already first
  Editor().OnDelete();  // A goes: everything after it moves down one ordinal
  EXPECT_EQ(Describe(), "C: c | D: d | B*: b");
  EXPECT_EQ(host_.displayed, 0);
  EXPECT_EQ(Captions(Tree().Root()), "C@0, D@1, B@2");
  ASSERT_TRUE(Click(Item(0)));
  Editor().OnDelete();  // the shown bar itself: bar 0 is shown
  EXPECT_EQ(host_.displayed, 0);
  EXPECT_EQ(Describe(), "D: d | B*: b");
}

TEST_F(ManagerTest, AddingBars) {
  MakeBars({"A: a"});
  Open();
  Editor().OnAddBar();
  EXPECT_EQ(Captions(Tree().Root()), "A@0, --new quickrail--@1");
  EXPECT_EQ(view_.layout, kLayoutBar);
  EXPECT_EQ(view_.focus, ManagerFocus::kName);
  EXPECT_TRUE(view_.restoreDeclines);
  Editor().OnAddBar();  // no name yet: nothing happens
  EXPECT_EQ(Captions(Tree().Root()), "A@0, --new quickrail--@1");
  view_.controls.Name = "B";
  Editor().OnAddBar();
  EXPECT_EQ(Captions(Tree().Root()), "A@0, B@1, --new quickrail--@2");
  view_.controls.Name = "C";
  view_.chosenKind = kFile;
  Editor().OnAddButton();  // the new bar is made and gets the button
  EXPECT_EQ(Describe(), "A: a | B: | C:");
  EXPECT_EQ(Captions(Item(2)), "--new button--@0");
  EXPECT_EQ(Editor().SelBar(), 2);
}

TEST_F(ManagerTest, MovingAPendingEntryMakesItFirst) {
  MakeBars({"A: a", "B: b"});
  host_.displayed = 1;
  Open();
  Editor().OnAddBar();
  Editor().OnMoveUp();  // no name: it stays pending and nothing moves
  EXPECT_EQ(Describe(), "A: a | B: b");
  view_.controls.Name = "New";
  Editor().OnMoveUp();
  EXPECT_EQ(Describe(), "A: a | New: | B: b");
  EXPECT_EQ(host_.displayed, 2) << "B is still shown";
  EXPECT_EQ(Tree().At(Editor().Selected()).Caption, "New");
  ASSERT_TRUE(Click(Item(0, 0)));
  Editor().OnAddButton();
  view_.controls.Target = "C:\\n.exe";
  view_.controls.Name = "n";
  Editor().OnMoveUp();
  EXPECT_EQ(Describe(), "A: n, a | New: | B: b");
  EXPECT_EQ(view_.controls.Name, "n");
}

TEST_F(ManagerTest, PresetBarIsShownWithItsFirstButton) {
  MakeBars({"A: a"});
  Open();
  view_.controls.Name = "renamed";
  view_.addPreset = [this] {
    const int32_t bar = db_.AddBar("Preset");
    AddFileButton(bar, "p");
    return bar;
  };
  Editor().OnAddPresetBar();
  EXPECT_EQ(Describe(), "A: renamed | Preset: p") << "what was typed reached the model first";
  EXPECT_EQ(Tree().At(Editor().Selected()).Caption, "p");
}

}  // namespace
