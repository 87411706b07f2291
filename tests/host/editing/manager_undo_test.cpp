// Apply, OK and Cancel around the manager's edits: the undo copy of the
// database file, and the copy in memory when no undo copy can be taken.
#include "manager_fixture.h"

namespace {

TEST_F(ManagerTest, ApplyThenCancelKeepsWhatWasApplied) {
  MakeBars({"A: a", "B: b"});
  SaveFile();
  Open();
  view_.controls.Name = "applied";
  ASSERT_TRUE(Editor().OnApply());
  EXPECT_EQ(host_.rebuilds, 1);
  const std::string applied = FileBytes();
  EXPECT_TRUE(HasFile("undo_tmp.acc")) << "a new undo point after Apply";
  view_.controls.Name = "dropped";
  Editor().OnDelete();
  Editor().OnCancel();
  EXPECT_EQ(Describe(), "A: applied | B: b");
  EXPECT_EQ(FileBytes(), applied);
  EXPECT_FALSE(HasFile("undo_tmp.acc"));
}

TEST_F(ManagerTest, CancelAfterAddingABarPutsFileModelAndShownBarBack) {
  MakeBars({"A: a", "B: b"});
  SaveFile();
  const std::string before = FileBytes();
  host_.displayed = 1;
  Open();
  Editor().OnAddBar();
  view_.controls.Name = "New";
  ASSERT_TRUE(Click(Tree().Root()));
  ASSERT_TRUE(Click(Item(1)));
  Editor().OnMoveUp();
  EXPECT_EQ(host_.displayed, 0);
  EXPECT_EQ(Describe(), "B: b | A: a | New:");
  Editor().OnCancel();
  EXPECT_EQ(Describe(), "A: a | B: b");
  EXPECT_EQ(FileBytes(), before);
  EXPECT_FALSE(HasFile("undo_tmp.acc"));
  EXPECT_EQ(host_.displayed, 1) << "the shown bar went back with the bars";
}

TEST_F(ManagerTest, CancelDropsAPendingEntry) {
  MakeBars({"A: a"});
  SaveFile();
  Open();
  Editor().OnAddButton();
  view_.controls.Target = "C:\\x.exe";
  view_.controls.Name = "x";
  Editor().OnCancel();
  EXPECT_EQ(Describe(), "A: a");
}

TEST_F(ManagerTest, OkSavesAndEndsTheUndoPoint) {
  MakeBars({"A: a"});
  SaveFile();
  Open();
  Editor().OnSeparator();
  ASSERT_TRUE(Editor().OnOK());
  EXPECT_FALSE(HasFile("undo_tmp.acc"));
  CDB reread(storage_, files_, nullptr);
  reread.SetProgramFolder(kProgramFolder);
  ASSERT_EQ(reread.Load(), 1);
  ASSERT_EQ(reread.BarCount(), 1);
  EXPECT_EQ(reread.Bar(0)->Count(), 2);
  EXPECT_EQ(reread.Bar(0)->At(1)->IsSeparator, 1);
}

TEST_F(ManagerTest, OkStaysOpenWhileTheSelectedEntryLacksItsName) {
  MakeBars({"A: a"});
  SaveFile();
  Open();
  Editor().OnAddButton();
  view_.controls.Target = "C:\\x.exe";
  EXPECT_FALSE(Editor().OnOK());
  EXPECT_EQ(view_.messages.back(), "The button (quickrail) name is not specified");
  EXPECT_EQ(Tree().At(Editor().Selected()).Kind, ItemKind::kNewButton);
  view_.controls.Name = "x";
  ASSERT_TRUE(Editor().OnOK());
  EXPECT_EQ(Describe(), "A: a, x");
  EXPECT_EQ(Tree().At(Editor().Selected()).Caption, "x");
}

TEST_F(ManagerTest, WithoutAnUndoCopyOkSavesAndCancelRestoresFromMemory) {
  // No "lbars.acc" yet: the undo copy cannot be taken.
  MakeBars({"A: a", "B: b"});
  db_.Bar(1)->ShowOnTimer = 1;
  db_.SetHomeBar(1);
  Open();
  EXPECT_TRUE(Editor().UndoInMemory());
  Editor().OnDelete();
  ASSERT_TRUE(Click(Item(1)));
  Editor().OnMoveUp();
  Editor().OnCancel();
  EXPECT_EQ(Describe(), "A: a | B*: b");
  EXPECT_EQ(db_.Bar(0)->At(0)->CommandId, 1124);
  EXPECT_FALSE(HasFile("lbars.acc"));

  Open();
  Editor().OnSeparator();
  ASSERT_TRUE(Editor().OnApply());
  EXPECT_TRUE(HasFile("lbars.acc")) << "Apply saved directly";
  EXPECT_FALSE(Editor().UndoInMemory()) << "now that the file exists the undo copy is taken";
  const std::string applied = FileBytes();
  Editor().OnDelete();
  Editor().OnCancel();
  EXPECT_EQ(Describe(), "A: a, - | B*: b");
  EXPECT_EQ(FileBytes(), applied);

  files_.Delete(std::string(kProgramFolder) + "\\lbars.acc");
  Open();
  Editor().OnDelete();
  ASSERT_TRUE(Editor().OnOK());
  EXPECT_TRUE(HasFile("lbars.acc"));
  CDB reread(storage_, files_, nullptr);
  reread.SetProgramFolder(kProgramFolder);
  ASSERT_EQ(reread.Load(), 1);
  EXPECT_EQ(reread.Bar(0)->Count(), 1);
}

}  // namespace
