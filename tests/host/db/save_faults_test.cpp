// Load, save and undo with injected storage and file faults, and saves cut
// off at every step as if the process had been killed.
#include <gtest/gtest.h>

#include <functional>

#include "db/cdb.h"
#include "support/file_ops_memory.h"
#include "platform/storage_memory.h"

namespace {

using StorageOp = MemoryStorageBackend::Op;
using FileOp = MemoryFileSystem::Op;

const std::string kDb = "C:\\P\\lbars.acc";
const std::string kTmp = "C:\\P\\tmp_db.acc";
const std::string kUndo = "C:\\P\\undo_tmp.acc";
const std::string kNew = "C:\\P\\new_db.acc";
const std::string kMessage = "System error:\n (IStorage: ";

class FaultTest : public testing::Test {
 protected:
  FaultTest() { storage_.SetReverseEnumeration(true); }

  std::unique_ptr<CDB> Database() {
    auto db = std::make_unique<CDB>(storage_, files_, [this](const std::string& step) { reports_.push_back(kMessage + step); });
    db->SetProgramFolder("C:\\P");
    return db;
  }
  // Two bars of two folder buttons each, saved.
  void SaveTwoBars() {
    auto db = Database();
    for (int i = 0; i < 2; ++i) {
      db->AddBar("old" + std::to_string(i));
      for (int j = 0; j < 2; ++j) db->AddButton({"C:\\", "b", "", "", "", 0, 1, kFolder, i, -1});
    }
    ASSERT_EQ(db->Save(), 1);
    saved_ = files_.Contents(kDb);
    reports_.clear();
    files_.ClearJournal();
    CountFromHere();
  }
  // Fault plans count calls from here on.
  void CountFromHere() {
    storage_.Faults().Clear();
    files_.Faults().Clear();
  }
  std::vector<std::string> LoadedBarNames() {
    auto db = Database();
    EXPECT_EQ(db->Load(), 1);
    std::vector<std::string> names;
    for (int32_t i = 0; i < db->BarCount(); ++i) names.push_back(db->Bar(i)->Name);
    return names;
  }

  MemoryFileSystem files_;
  MemoryStorageBackend storage_{files_};
  std::vector<std::string> reports_;
  std::string saved_;
};

struct LoadFault {
  StorageOp op;
  int nth;
  int result;
  const char* suffix;  // "" for none
  size_t barsLeft;
};

class LoadFaultTest : public FaultTest, public testing::WithParamInterface<LoadFault> {};

TEST_P(LoadFaultTest, ReportsTheStep) {
  SaveTwoBars();
  const LoadFault& f = GetParam();
  storage_.Faults().FailNth(f.op, f.nth);
  auto db = Database();
  db->AddBar("in memory before");
  EXPECT_EQ(db->Load(), f.result);
  EXPECT_EQ(db->LastLoadSucceeded(), f.result == 1);
  if (*f.suffix)
    EXPECT_EQ(reports_, std::vector<std::string>{kMessage + f.suffix});
  else
    EXPECT_TRUE(reports_.empty());
  EXPECT_EQ(static_cast<size_t>(db->BarCount()), f.barsLeft);
  EXPECT_EQ(files_.Contents(kDb), saved_);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, LoadFaultTest,
    testing::Values(LoadFault{StorageOp::kOpenFile, 1, 0, " CDB::Load 1)", 0},
                    LoadFault{StorageOp::kOpenStream, 1, 0, " CDB::Load 4)", 0},
                    LoadFault{StorageOp::kEnumerate, 1, 0, " CDB::Load 2)", 0},
                    LoadFault{StorageOp::kOpenStorage, 1, 0, " CD::Load 3)", 0},
                    LoadFault{StorageOp::kOpenStorage, 2, 0, " CD::Load 3)", 1},
                    // A bar whose elements cannot be listed is dropped; the load goes on.
                    LoadFault{StorageOp::kEnumerate, 2, 1, " CDB::Load 1)", 1},
                    // Silent: a bar without a readable record is dropped, a button passed over.
                    LoadFault{StorageOp::kOpenStream, 2, 1, "", 1}, LoadFault{StorageOp::kOpenStream, 3, 1, "", 2},
                    LoadFault{StorageOp::kRead, 2, 1, "", 1}));

struct SaveFault {
  std::function<void(MemoryStorageBackend&, MemoryFileSystem&)> inject;
  const char* suffix;
};

class SaveFaultTest : public FaultTest, public testing::WithParamInterface<SaveFault> {};

TEST_P(SaveFaultTest, LeavesThePreviousFile) {
  SaveTwoBars();
  auto db = Database();
  ASSERT_EQ(db->Load(), 1);
  db->AddBar("new");
  CountFromHere();
  GetParam().inject(storage_, files_);
  EXPECT_EQ(db->Save(), 0);
  if (*GetParam().suffix)
    EXPECT_EQ(reports_, std::vector<std::string>{kMessage + GetParam().suffix});
  else
    EXPECT_TRUE(reports_.empty());
  EXPECT_EQ(files_.Contents(kDb), saved_);
  EXPECT_FALSE(files_.Has(kTmp));
  EXPECT_EQ(db->BarCount(), 3) << "memory keeps the changes";
}

// Stream creations in a save: 1 database record, 2 bar 0's record, 3-4 its
// buttons, 5 bar 1's record ...; storage creations: one per bar.
INSTANTIATE_TEST_SUITE_P(
    Steps, SaveFaultTest,
    testing::Values(
        SaveFault{[](auto& s, auto&) { s.Faults().FailNth(StorageOp::kCreateFile, 1); }, " CDB::Save 1)"},
        SaveFault{[](auto&, auto& f) { f.Faults().FailNth(MemoryFileSystem::Op::kMove, 1); }, " CDB::Save 1)"},
        SaveFault{[](auto& s, auto&) { s.Faults().FailNth(StorageOp::kCreateStream, 1); }, " CD::Save 2)"},
        SaveFault{[](auto& s, auto&) { s.Faults().FailNth(StorageOp::kCreateStorage, 2); }, " CBar::Save 1)"},
        SaveFault{[](auto& s, auto&) { s.Faults().FailNth(StorageOp::kCreateStream, 5); }, " CBar::Save 2)"},
        SaveFault{[](auto& s, auto&) { s.Faults().FailNth(StorageOp::kCreateStream, 4); }, " CD::Save 1)"},
        SaveFault{[](auto& s, auto&) { s.Faults().FailNth(StorageOp::kWrite, 3); }, " CD::Save 1)"},
        SaveFault{[](auto& s, auto&) { s.Faults().FailNth(StorageOp::kWrite, 2); }, " CBar::Save 3)"},
        SaveFault{[](auto& s, auto&) { s.Faults().FailNth(StorageOp::kCommit, 1); }, " CDB::Save 4)"},
        SaveFault{[](auto& s, auto&) { s.Faults().FailNth(StorageOp::kFinish, 1); }, " CDB::Save 1)"},
        SaveFault{[](auto&, auto& f) { f.Faults().FailNth(MemoryFileSystem::Op::kWrite, 2); }, " CDB::Save 1)"},
        SaveFault{[](auto&, auto& f) { f.Faults().FailNth(MemoryFileSystem::Op::kFlush, 1); }, " CDB::Save 1)"}));

TEST_F(FaultTest, SaveRenamesWritesFlushesThenDropsTheCopy) {
  SaveTwoBars();
  auto db = Database();
  ASSERT_EQ(db->Load(), 1);
  ASSERT_EQ(db->Save(), 1);
  EXPECT_EQ(files_.Journal(),
            (std::vector<std::string>{"move " + kDb + " " + kTmp, "write " + kDb, "write " + kDb, "flush " + kDb,
                                      "delete " + kTmp}));
}

TEST_F(FaultTest, FirstSaveIsWrittenAsideAndRenamedIntoPlace) {
  for (const bool emptyFileBefore : {false, true}) {
    SCOPED_TRACE(emptyFileBefore ? "over an empty lbars.acc" : "into an empty folder");
    for (const std::string& name : files_.Names()) files_.Delete(name);
    if (emptyFileBefore) files_.Put(kDb, "");
    files_.ClearJournal();
    auto db = Database();
    ASSERT_EQ(db->Load(), 1);
    db->AddBar("first");
    ASSERT_EQ(db->Save(), 1);
    EXPECT_EQ(files_.Journal(),
              (std::vector<std::string>{"write " + kNew, "write " + kNew, "flush " + kNew,
                                        "move " + kNew + " " + kDb}));
    EXPECT_EQ(files_.Names(), std::vector<std::string>{kDb}) << "no copy of an empty file is kept";
    EXPECT_TRUE(reports_.empty());
  }
}

// An empty "lbars.acc" is what a first save cut off before the new file
// was renamed into place never leaves, but an older program or another cause may.
TEST_F(FaultTest, EmptyDatabaseFileIsNoDatabaseUnlessASaveCopyIsBeside) {
  SaveTwoBars();
  files_.Put(kTmp, saved_);
  files_.Put(kDb, "");
  EXPECT_EQ(LoadedBarNames(), (std::vector<std::string>{"old0", "old1"})) << "the copy comes back";

  files_.Delete(kTmp);
  files_.Put(kDb, "");
  auto db = Database();
  db->AddBar("in memory");
  EXPECT_EQ(db->Load(), 1);
  EXPECT_TRUE(db->LastLoadSucceeded());
  EXPECT_EQ(db->BarCount(), 1) << "nothing was loaded over memory";
  EXPECT_TRUE(reports_.empty());
}

// Kills the process after every possible number of file changes during the
// very first save: the next start finds no database or all of it, and its
// own first save then succeeds.
class KilledFirstSaveTest : public FaultTest, public testing::WithParamInterface<bool> {};

TEST_P(KilledFirstSaveTest, LeavesNoDatabaseOrTheWholeOne) {
  const std::vector<std::string> whole{"first0", "first1"};
  auto fill = [](CDB& db) {
    for (const char* name : {"first0", "first1"}) {
      db.AddBar(name);
      db.AddButton({"C:\\", "b", "", "", "", 0, 1, kFolder, db.BarCount() - 1, -1});
    }
  };
  int outcomes[2] = {0, 0};
  for (int changes = 0;; ++changes) {
    files_.Revive();
    for (const std::string& name : files_.Names()) files_.Delete(name);
    if (GetParam()) files_.Put(kDb, "");  // left by an older program's killed first save
    {
      auto db = Database();
      ASSERT_EQ(db->Load(), 1);
      fill(*db);
      files_.KillAfter(changes);
      db->Save();
    }
    const bool finished = !files_.Killed();
    files_.Revive();
    reports_.clear();
    auto next = Database();
    EXPECT_EQ(next->Load(), 1) << "killed after " << changes << " changes";
    EXPECT_TRUE(reports_.empty()) << "killed after " << changes << " changes";
    const std::vector<std::string> names = LoadedBarNames();
    EXPECT_TRUE(names.empty() || names == whole) << "killed after " << changes << " changes";
    ++outcomes[names.empty() ? 0 : 1];
    if (names.empty()) {
      fill(*next);
      EXPECT_EQ(next->Save(), 1) << "the next start's first save";
      EXPECT_EQ(LoadedBarNames(), whole);
    }
    if (finished) {
      EXPECT_EQ(names, whole) << "a save that finished leaves its database";
      break;
    }
    ASSERT_LT(changes, 50);
  }
  EXPECT_GT(outcomes[0], 0);
  EXPECT_GT(outcomes[1], 0);
}

INSTANTIATE_TEST_SUITE_P(FromNothingAndFromAnEmptyFile, KilledFirstSaveTest, testing::Bool());

// The new file is whole on the disk when the old copy resists deletion: the
// save succeeded and says no error, the copy loses to the new file, and a
// later save removes it.
TEST_F(FaultTest, CopyThatCannotBeDeletedLosesToTheWholeNewFile) {
  SaveTwoBars();
  auto db = Database();
  ASSERT_EQ(db->Load(), 1);
  db->AddBar("new");
  files_.Faults().FailAll(FileOp::kDelete);
  EXPECT_EQ(db->Save(), 1);
  EXPECT_TRUE(reports_.empty()) << "a save that reached the disk is no failure";
  EXPECT_EQ(files_.Contents(kTmp), saved_);
  EXPECT_EQ(LoadedBarNames(), (std::vector<std::string>{"old0", "old1", "new"})) << "the next start";

  db->AddBar("newer");
  EXPECT_EQ(db->Save(), 1) << "the copy is replaced, though still not deleted";
  files_.Faults().Clear();
  reports_.clear();
  EXPECT_EQ(db->Save(), 1);
  EXPECT_TRUE(reports_.empty());
  EXPECT_FALSE(files_.Has(kTmp));
  EXPECT_EQ(LoadedBarNames(), (std::vector<std::string>{"old0", "old1", "new", "newer"}));
}

TEST_F(FaultTest, FirstSaveFailingLeavesNoFile) {
  auto db = Database();
  db->AddBar("b");
  storage_.Faults().FailNth(StorageOp::kCreateStorage, 1);
  EXPECT_EQ(db->Save(), 0);
  EXPECT_TRUE(files_.Names().empty());
}

TEST_F(FaultTest, FailedCommitKeepsTheUndoPoint) {
  SaveTwoBars();
  auto db = Database();
  ASSERT_EQ(db->Load(), 1);
  ASSERT_EQ(db->BeginUndo(), 1);
  db->AddBar("edited");
  CountFromHere();
  storage_.Faults().FailNth(StorageOp::kCreateStorage, 3);
  EXPECT_EQ(db->CommitUndo(), 0);
  EXPECT_EQ(db->UndoActive(), 1);
  EXPECT_EQ(files_.Contents(kUndo), saved_);
  EXPECT_EQ(db->RollbackUndo(), CDB::Rollback::kRestored);
  EXPECT_EQ(db->BarCount(), 2);
}

TEST_F(FaultTest, RollbackThatCannotCopyLeavesTheFileAndReadsTheUndoCopy) {
  SaveTwoBars();
  auto db = Database();
  ASSERT_EQ(db->Load(), 1);
  ASSERT_EQ(db->BeginUndo(), 1);
  db->AddBar("edited");
  CountFromHere();
  files_.Faults().FailNth(FileOp::kCopy, 1);
  EXPECT_EQ(db->RollbackUndo(), CDB::Rollback::kFromUndoCopy);
  EXPECT_EQ(db->UndoActive(), 1);
  EXPECT_EQ(db->BarCount(), 2) << "the cancelled bar is not kept in memory";
  EXPECT_EQ(reports_, (std::vector<std::string>{kMessage + " CDB::RollbackUndo 2)"}));
  EXPECT_EQ(files_.Contents(kDb), saved_);
  EXPECT_TRUE(files_.Has(kUndo));
  EXPECT_FALSE(files_.Has(kTmp));
}

TEST_F(FaultTest, CopyOfAnUnreadableFileMustSucceedBeforeItIsReplaced) {
  files_.Put(kDb, "not a database");
  auto db = Database();
  EXPECT_EQ(db->Load(), 0);
  db->AddBar("new");
  files_.Faults().FailNth(FileOp::kCopy, 1);
  EXPECT_EQ(db->Save(), 0);
  EXPECT_EQ(files_.Contents(kDb), "not a database");
  EXPECT_EQ(db->Save(), 1);
  EXPECT_EQ(files_.Contents("C:\\P\\lbars_unreadable.acc"), "not a database");
}

TEST_F(FaultTest, DamagedFileIsKeptOnceHoweverOftenCancelReplacesIt) {
  files_.Put(kDb, "not a database");
  auto db = Database();
  EXPECT_EQ(db->Load(), 0);
  for (int cancel = 0; cancel < 3; ++cancel) {
    ASSERT_EQ(db->BeginUndo(), 1);
    db->AddBar("cancelled");
    // The file is put back but reads no better than before: the model is the
    // one of the undo point.
    EXPECT_EQ(db->RollbackUndo(), CDB::Rollback::kUnreadable);
    EXPECT_EQ(db->BarCount(), 0);
  }
  EXPECT_EQ(files_.Contents("C:\\P\\lbars_unreadable.acc"), "not a database");
  EXPECT_FALSE(files_.Has("C:\\P\\lbars_unreadable_2.acc"));
  files_.Put("C:\\P\\lbars_unreadable.acc", "another damaged file");
  db->AddBar("saved");
  ASSERT_EQ(db->Save(), 1);
  EXPECT_EQ(files_.Contents("C:\\P\\lbars_unreadable_2.acc"), "not a database") << "a different copy is no reason";
}

// Kills the process after every possible number of file changes during an
// operation; the next start must find the old or the new database, whole.
class KilledSaveTest : public FaultTest, public testing::WithParamInterface<bool> {};

TEST_P(KilledSaveTest, NextStartFindsAWholeDatabase) {
  const bool rollback = GetParam();
  SaveTwoBars();
  int outcomes[2] = {0, 0};
  for (int changes = 0;; ++changes) {
    files_.Revive();
    {
      // Back to the saved state with an undo point taken.
      for (const std::string& name : files_.Names()) files_.Delete(name);
      files_.Put(kDb, saved_);
      auto db = Database();
      ASSERT_EQ(db->Load(), 1);
      ASSERT_EQ(db->BeginUndo(), 1);
      if (rollback) {
        db->AddBar("new");
        ASSERT_EQ(db->Save(), 1);  // the state the rollback leaves
      }
      db->AddBar(rollback ? "newer" : "new");
      files_.KillAfter(changes);
      if (rollback)
        db->RollbackUndo();
      else
        db->Save();
    }
    const bool finished = !files_.Killed();
    files_.Revive();
    const std::vector<std::string> names = LoadedBarNames();
    const bool isOld = names == std::vector<std::string>{"old0", "old1"};
    const bool isNew = names == std::vector<std::string>{"old0", "old1", "new"};
    EXPECT_TRUE(isOld || isNew) << "killed after " << changes << " changes";
    ++outcomes[isNew ? 1 : 0];
    if (finished) {
      EXPECT_EQ(isOld, rollback) << "an operation that finished leaves its result";
      break;
    }
    ASSERT_LT(changes, 50);
  }
  EXPECT_GT(outcomes[0], 0);
  EXPECT_GT(outcomes[1], 0);
}

INSTANTIATE_TEST_SUITE_P(SaveAndRollback, KilledSaveTest, testing::Bool());

}  // namespace
