// Apply, OK and Cancel around the manager's edits: the undo copy of the
// database file, and the copy in memory when no undo copy can be taken.
#include <functional>
#include <vector>

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

// A fault at one step of Apply, OK or Cancel: the step is reported, and once
// the manager has closed the model holds what a file holds ("lbars.acc", or
// the undo copy a failed Cancel read instead), never the cancelled edits.
enum class Action { kApply, kOk, kCancel };
struct StepFault {
  Action action;
  std::function<void(MemoryFileSystem&, MemoryStorageBackend&)> arm;
  const char* what;
};

class ManagerFaultTest : public ManagerTest, public testing::WithParamInterface<StepFault> {};

TEST_P(ManagerFaultTest, ModelMatchesAFileAfterwards) {
  const StepFault& c = GetParam();
  MakeBars({"A: a, b", "B: c"});
  SaveFile();
  const std::string opened = Describe();
  Open();
  Editor().OnSeparator();
  view_.controls.Name = "renamed";
  storage_.Faults().Clear();
  files_.Faults().Clear();
  c.arm(files_, storage_);
  bool closed = true;
  if (c.action == Action::kApply) {
    closed = false;
    if (!Editor().OnApply()) EXPECT_FALSE(reports_.empty()) << "a failed Apply says which step failed";
  } else if (c.action == Action::kOk) {
    closed = Editor().OnOK();
    if (!closed) EXPECT_FALSE(reports_.empty()) << "a failed OK says which step failed";
  } else {
    Editor().OnCancel();
    EXPECT_EQ(Describe(), opened) << "Cancel ends at the state of the opening";
    EXPECT_EQ(reports_.empty(), view_.messages.empty()) << "a failed step is reported and its outcome told";
  }
  storage_.Faults().Clear();
  files_.Faults().Clear();
  if (!closed) Editor().OnCancel();
  const std::string model = Describe();
  const std::string file = DescribeFile("lbars.acc");
  const bool fromUndoCopy = db_.UndoActive() && model == DescribeFile("undo_tmp.acc");
  EXPECT_TRUE(model == file || fromUndoCopy) << c.what << ": model " << model << ", file " << file;
}

using FileOp = MemoryFileSystem::Op;
using StorageOp = MemoryStorageBackend::Op;

std::vector<StepFault> StepFaults() {
  std::vector<StepFault> out;
  for (Action action : {Action::kApply, Action::kOk, Action::kCancel}) {
    for (FileOp op : {FileOp::kMove, FileOp::kCopy, FileOp::kDelete, FileOp::kFlush, FileOp::kWrite}) {
      for (int nth = 1; nth <= 3; ++nth)
        out.push_back({action, [op, nth](MemoryFileSystem& f, MemoryStorageBackend&) { f.Faults().FailNth(op, nth); },
                       "file step"});
    }
    for (StorageOp op : {StorageOp::kCreateFile, StorageOp::kFinish, StorageOp::kCreateStorage,
                         StorageOp::kCreateStream, StorageOp::kWrite, StorageOp::kCommit})
      out.push_back({action, [op](MemoryFileSystem&, MemoryStorageBackend& s) { s.Faults().FailNth(op, 1); },
                     "storage step"});
    out.push_back({action, [](MemoryFileSystem& f, MemoryStorageBackend&) { f.Faults().FailAll(FileOp::kMove); },
                   "file locked"});
    // The restored file cannot be read (held by another program), or no file can.
    out.push_back({action, [](MemoryFileSystem&, MemoryStorageBackend& s) { s.Faults().FailNth(StorageOp::kOpenFile, 1); },
                   "one read fails"});
    out.push_back({action, [](MemoryFileSystem&, MemoryStorageBackend& s) { s.Faults().FailAll(StorageOp::kOpenFile); },
                   "no read works"});
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(EveryStep, ManagerFaultTest, testing::ValuesIn(StepFaults()));

TEST_F(ManagerTest, CancelThatCannotReplaceTheFileShowsTheUndoCopyUntilASave) {
  MakeBars({"A: a", "B: b"});
  SaveFile();
  Open();
  view_.controls.Name = "applied";
  ASSERT_TRUE(Editor().OnApply());
  Editor().OnDelete();
  host_.displayed = 1;
  files_.Faults().FailAll(MemoryFileSystem::Op::kMove);  // "lbars.acc" held open by another program
  Editor().OnCancel();
  EXPECT_EQ(reports_, (std::vector<std::string>{" CDB::RollbackUndo 1)"}));
  EXPECT_EQ(view_.messages, (std::vector<std::string>{texts_.Text(kMsgCancelShowsUndoCopy)}));
  EXPECT_EQ(Describe(), "A: applied | B: b");
  EXPECT_EQ(host_.displayed, 0);
  EXPECT_EQ(host_.reloads, 1);
  files_.Faults().Clear();
  Open();
  EXPECT_TRUE(Editor().UndoInMemory()) << "the undo copy still stands for the model";
  ASSERT_TRUE(Editor().OnOK());
  EXPECT_EQ(DescribeFile("lbars.acc"), "A: applied | B: b");
  EXPECT_FALSE(HasFile("undo_tmp.acc"));
}

}  // namespace
