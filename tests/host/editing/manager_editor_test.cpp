// The buttons manager's logic on an in-memory database: what it selects and
// shows, and what the leave step writes or refuses.
#include <functional>

#include "editing/manager/manager_rules.h"
#include "editing_ids.h"
#include "manager_fixture.h"

namespace {

// Opened from a button's menu it selects that button instead.
TEST_F(ManagerTest, OpensOnTheFirstButtonOfTheDisplayedBarOrOnTheBar) {
  MakeBars({"Tools: notes, -, paint", "Empty", "Games: chess"});
  struct Case {
    int displayed;
    std::string selected;
    int layout;
    int position = 0;
  };
  for (const Case& c : {Case{0, "notes", kLayoutFile}, Case{1, "Empty", kLayoutBar}, Case{2, "chess", kLayoutFile},
                        Case{7, "", kLayoutNone}, Case{0, "paint", kLayoutFile, 2}, Case{2, "Games", kLayoutBar, 1}}) {
    host_.displayed = c.displayed;
    Open(c.position);
    const int selected = Editor().Selected();
    EXPECT_EQ(selected == kNoItem ? "" : Tree().At(selected).Caption, c.selected) << c.displayed;
    EXPECT_EQ(view_.treeSelection, selected);
    EXPECT_EQ(view_.layout, c.layout) << c.displayed;
    EXPECT_EQ(view_.controls.Name, c.selected) << c.displayed;
    EXPECT_FALSE(view_.restoreEnabled);
    editor_->OnCancel();
  }
}

TEST_F(ManagerTest, TreeHoldsBarsButtonsAndSeparatorsWithTheirImages) {
  MakeBars({"Tools: notes, -, paint, -", "Empty"});
  Open();
  EXPECT_EQ(Tree().At(Tree().Root()).Caption, "Quickrails");
  EXPECT_EQ(Captions(Tree().Root()), "Tools@0, Empty@1");
  EXPECT_EQ(Captions(Item(0)), "notes@0, - separator -@1, paint@2, - separator -@3");
  const std::string exe = "C:\\Orvantis\\Orvantis.exe,0";
  // The root's icon first; one image for each icon file however many entries
  // show it, and one shared by every separator.
  EXPECT_EQ(view_.images, (std::vector<std::string>{"#214", exe, "C:\\Orvantis\\notes.exe,0", "#213",
                                                    "C:\\Orvantis\\paint.exe,0"}));
  EXPECT_EQ(Tree().At(Item(0, 1)).Image, 3);
  EXPECT_EQ(Tree().At(Item(0, 3)).Image, 3);
  EXPECT_EQ(Tree().At(Item(0, 2)).Image, 4);
  EXPECT_EQ(Tree().At(Item(1)).Image, 1);
  // A filling of the tree starts a new image list.
  Editor().FillTree(1, 0);
  EXPECT_EQ(view_.images.size(), 5u);
}

TEST_F(ManagerTest, RestoreBringsBackTheLastTakenFieldsAndChangesNothing) {
  MakeBars({"Tools: notes, paint"});
  Open();
  const std::string before = Describe();
  view_.controls.Name = "typed";
  view_.restoreEnabled = true;  // the dialog enables it on any edit
  Editor().OnRestore();
  EXPECT_EQ(view_.controls.Name, "notes");
  EXPECT_FALSE(view_.restoreEnabled);
  ASSERT_TRUE(Click(Item(0, 1)));
  EXPECT_EQ(Describe(), before);
}

// The leave step: which entries may be left with what the fields hold.
struct LeaveCase {
  const char* what;
  std::function<void(ManagerTest&, ManagerEditor&, FakeManagerView&)> arrange;
  const char* message;  // "" when the entry may be left
  ManagerFocus focus;
  const char* model;  // the model afterwards
};

class LeaveStepTest : public ManagerTest, public testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveStepTest, AllowsOrRefusesWithItsMessage) {
  const LeaveCase& c = GetParam();
  MakeBars({"Tools: notes, -", "Games: chess"});
  Open();
  view_.focus = ManagerFocus::kTree;
  c.arrange(*this, Editor(), view_);
  const int left = Editor().Selected();
  view_.messages.clear();
  view_.restoreEnabled = false;
  const bool allowed = Click(Item(1));
  EXPECT_EQ(allowed, std::string(c.message).empty());
  EXPECT_EQ(view_.messages, allowed ? std::vector<std::string>{} : std::vector<std::string>{c.message});
  if (!allowed) {
    EXPECT_EQ(Editor().Selected(), left) << "the selection stays";
    EXPECT_EQ(view_.focus, c.focus);
    EXPECT_TRUE(view_.restoreEnabled);
  }
  EXPECT_EQ(Describe(), c.model);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, LeaveStepTest,
    testing::Values(
        LeaveCase{"button without target", [](auto&, auto&, auto& v) { v.controls.Target.clear(); },
                  "File name is not specified", ManagerFocus::kTarget, "Tools: notes, - | Games: chess"},
        LeaveCase{"button without name", [](auto&, auto&, auto& v) { v.controls.Name.clear(); },
                  "The button (quickrail) name is not specified", ManagerFocus::kName,
                  "Tools: notes, - | Games: chess"},
        LeaveCase{"bar without name",
                  [](auto& t, auto&, auto& v) {
                    t.Click(t.Item(0));
                    v.controls.Name.clear();
                  },
                  "The button (quickrail) name is not specified", ManagerFocus::kName,
                  "Tools: notes, - | Games: chess"},
        LeaveCase{"separator, whatever the fields hold",
                  [](auto& t, auto&, auto& v) {
                    t.Click(t.Item(0, 1));
                    v.controls.Target.clear();
                    v.controls.Name.clear();
                  },
                  "", ManagerFocus::kTree, "Tools: notes, - | Games: chess"},
        LeaveCase{"new button with its texts",
                  [](auto&, auto& e, auto& v) {
                    e.OnAddButton();
                    v.controls.Target = "C:\\x.exe";
                    v.controls.Name = "x";
                  },
                  "", ManagerFocus::kTree, "Tools: notes, x, - | Games: chess"},
        LeaveCase{"new button without a name",
                  [](auto&, auto& e, auto& v) {
                    e.OnAddButton();
                    v.controls.Target = "C:\\x.exe";
                  },
                  "The button (quickrail) name is not specified", ManagerFocus::kName,
                  "Tools: notes, - | Games: chess"},
        LeaveCase{"new bar with a name",
                  [](auto&, auto& e, auto& v) {
                    e.OnAddBar();
                    v.controls.Name = "Docs";
                  },
                  "", ManagerFocus::kTree, "Tools: notes, - | Games: chess | Docs:"},
        LeaveCase{"new bar without a name", [](auto&, auto& e, auto&) { e.OnAddBar(); },
                  "The button (quickrail) name is not specified", ManagerFocus::kName,
                  "Tools: notes, - | Games: chess"}),
    [](const testing::TestParamInfo<LeaveCase>& info) {
      std::string name;
      for (const char* p = info.param.what; *p; ++p)
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
      return name;
    });

TEST_F(ManagerTest, NewWebLinkGetsItsSchemeAndItsTargetAsIcon) {
  MakeBars({"Web"});
  host_.displayed = 0;
  Open();
  view_.chosenKind = kInternet;
  Editor().OnAddButton();
  // The browse step was cancelled: the target shows the prefix, nothing else.
  EXPECT_EQ(view_.browsedKinds, std::vector<int>{kInternet});
  EXPECT_EQ(view_.controls.Target, "http://");
  EXPECT_EQ(view_.controls.Name, "");
  EXPECT_TRUE(view_.restoreDeclines);
  EXPECT_FALSE(Click(Tree().Root()));
  EXPECT_EQ(view_.messages.back(), "The button (quickrail) name is not specified");

  view_.controls.Target = "example.com/news";
  view_.controls.Name = "News";
  ASSERT_TRUE(Click(Tree().Root()));
  const CD& button = *db_.Bar(0)->At(0);
  EXPECT_EQ(button.Target, "http://example.com/news");
  EXPECT_EQ(button.IconFile, "http://example.com/news");
  EXPECT_EQ(button.Kind, kInternet);
  EXPECT_FALSE(view_.restoreDeclines);
}

TEST_F(ManagerTest, BrowsedFileButtonShowsTheShellIconOfItsTarget) {
  MakeBars({"Tools: notes"});
  Open();
  view_.browse = [](WorkingFields& f) {
    f.Target = "C:\\Tools\\calc.exe";
    f.Name = "calc";
    return true;
  };
  Editor().OnAddButton();
  EXPECT_EQ(view_.controls.Target, "C:\\Tools\\calc.exe");
  EXPECT_EQ(view_.icons, "shell:C:\\Tools\\calc.exe");
  EXPECT_EQ(view_.focus, ManagerFocus::kTarget);
}

TEST_F(ManagerTest, UnavailableDisplayedBarGivesWayToTheFirstAvailableOne) {
  MakeBars({"A: a", "B: b", "C: c"});
  db_.Bar(0)->Available = 0;
  host_.displayed = 2;
  Open();
  ASSERT_TRUE(Click(Item(2)));
  EXPECT_EQ(view_.barAvailableCaption, true);
  view_.controls.Available = 0;
  Editor().OnAvailable();
  EXPECT_FALSE(view_.fieldsEnabled);
  ASSERT_TRUE(Click(Item(0)));
  EXPECT_EQ(host_.displayed, 1);
  // With no bar available at all the index stays.
  ASSERT_TRUE(Click(Item(1)));
  view_.controls.Available = 0;
  ASSERT_TRUE(Click(Item(0)));
  EXPECT_EQ(Describe(), "A!: a | B!: b | C!: c");
  EXPECT_EQ(host_.displayed, 1);
}

TEST_F(ManagerTest, TimerOnAnotherBarMakesItTheHomeBar) {
  MakeBars({"A: a", "B: b"});
  db_.Bar(0)->ShowOnLaunch = 1;
  db_.Bar(0)->ShowOnTimer = 1;
  db_.Bar(0)->ShowAfter = 5000;
  db_.SetHomeBar(0);
  Open();
  ASSERT_TRUE(Click(Item(0)));
  EXPECT_EQ(view_.controls.ShowOnTimer, 1);
  EXPECT_EQ(view_.controls.ShowAfterSeconds, 5);
  EXPECT_TRUE(view_.secondsEnabled);
  ASSERT_TRUE(Click(Item(1)));
  EXPECT_EQ(view_.controls.ShowOnTimer, 0);
  EXPECT_FALSE(view_.secondsEnabled);
  view_.controls.ShowOnTimer = 1;
  Editor().OnShowOnTimer();
  EXPECT_TRUE(view_.secondsEnabled);
  EXPECT_EQ(view_.controls.ShowAfterSeconds, 1);
  view_.controls.ShowAfterSeconds = 20;
  ASSERT_TRUE(Click(Item(0)));
  EXPECT_EQ(db_.GetHomeBar(), 1);
  EXPECT_EQ(db_.Bar(1)->ShowAfter, 20000);
  EXPECT_EQ(view_.controls.ShowOnLaunch, 0) << "A is no longer the home bar";
  EXPECT_EQ(view_.controls.ShowOnTimer, 0);
}

TEST_F(ManagerTest, DetailsKeepWhatWasTypedAndChangeTheLayout) {
  MakeBars({"A: a"});
  Open();
  view_.controls.Arguments = "typed";
  view_.details = true;
  Editor().OnDetails();
  EXPECT_EQ(view_.layout, kLayoutFile);
  EXPECT_TRUE(view_.layoutDetails);
  EXPECT_EQ(view_.controls.Arguments, "typed");
  EXPECT_EQ(view_.icons, "C:\\Orvantis\\a.exe,0");
  view_.pickedIcon = "shell32.dll";
  view_.pickedIndex = 4;
  Editor().OnChangeIcon();
  EXPECT_EQ(view_.icons, "shell32.dll,4");
  ASSERT_TRUE(Click(Item(0)));
  EXPECT_EQ(db_.Bar(0)->At(0)->IconFile, "shell32.dll");
  EXPECT_EQ(view_.images.back(), "shell32.dll,4") << "the item shows its new icon";
}

// A value is written back only when its control was changed: a show command
// the "Window size" list cannot name stays, whatever the list showed before.
TEST_F(ManagerTest, WindowSizeIsWrittenOnlyWhenTheListWasChanged) {
  struct Case {
    int32_t stored;
    int32_t picked;  // kNoSizeChoice: the list left alone
    int32_t kept;
  };
  for (const Case& c : {Case{0, kNoSizeChoice, 0}, Case{1, kNoSizeChoice, 1}, Case{2, kNoSizeChoice, 2},
                        Case{3, kNoSizeChoice, 3}, Case{7, kNoSizeChoice, 7}, Case{10, kNoSizeChoice, 10},
                        Case{7, 1, 3}, Case{3, 0, 1}, Case{7, 2, 2}}) {
    db_.DeleteBar(0);
    MakeBars({"A: max, odd"});
    db_.Bar(0)->At(0)->ShowCmd = 3;  // the list shows "maximized" first
    db_.Bar(0)->At(1)->ShowCmd = c.stored;
    Open();
    ASSERT_TRUE(Click(Item(0, 1)));
    if (c.picked != kNoSizeChoice) view_.controls.SizeChoice = c.picked;
    ASSERT_TRUE(Click(Item(0, 0)));
    EXPECT_EQ(db_.Bar(0)->At(1)->ShowCmd, c.kept) << c.stored << " " << c.picked;
    EXPECT_EQ(db_.Bar(0)->At(0)->ShowCmd, 3);
  }
}

TEST_F(ManagerTest, PendingEntriesKeepEveryFieldTheUserSet) {
  MakeBars({"A: a"});
  Open();
  Editor().OnAddButton();
  view_.controls.Target = "C:\\x.exe";
  view_.controls.Name = "x";
  view_.controls.Available = 0;
  ASSERT_TRUE(Click(Item(0)));
  EXPECT_EQ(Describe(), "A: a, x!");

  Editor().OnAddBar();
  view_.controls.Name = "New";
  view_.controls.ShowOnTimer = 1;
  view_.controls.ShowAfterSeconds = 9;
  view_.pickedIcon = "C:\\icons.dll";
  view_.pickedIndex = 4;
  Editor().OnChangeIcon();
  ASSERT_TRUE(Click(Item(0)));
  EXPECT_EQ(Describe(), "A: a, x! | New*:");
  const CBar& added = *db_.Bar(1);
  EXPECT_EQ(added.ShowOnTimer, 1);
  EXPECT_EQ(added.ShowAfter, 9000);
  EXPECT_EQ(added.IconFile + "," + std::to_string(added.IconIndex), "C:\\icons.dll,4");

  Editor().OnAddBar();
  view_.controls.Name = "Hidden";
  view_.controls.Available = 0;
  ASSERT_TRUE(Click(Item(0)));
  EXPECT_EQ(Describe(), "A: a, x! | New*: | Hidden!:");
}

TEST_F(ManagerTest, SelectingABarLeavesWhatItsFieldsCannotShow) {
  MakeBars({"A: a", "B: b"});
  db_.Bar(1)->ShowOnLaunch = 1;  // not the home bar: the dialog shows the option off
  db_.Bar(1)->ShowAfter = 1500;
  Open();
  ASSERT_TRUE(Click(Item(1)));
  ASSERT_TRUE(Click(Item(0)));
  EXPECT_EQ(db_.Bar(1)->ShowOnLaunch, 1);
  EXPECT_EQ(db_.Bar(1)->ShowAfter, 1500);
  EXPECT_EQ(db_.GetHomeBar(), -1);
}

}  // namespace
