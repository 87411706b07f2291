// Saving and loading whole databases, the save copy and the undo copy, on the
// storage of the tree (in memory on the host, ole32 under Wine).
#include <gtest/gtest.h>

#include "shared/db/record_bytes.h"
#include "shared/db/test_backend.h"

namespace {

// Three bars of assorted buttons; the home bar is the second.
void FillSample(CDB& db) {
  db.AddBar("Main");
  db.AddButton({"C:\\Windows\\notepad.exe", "Notepad", "C:\\Windows", "/a \"x y\"", "C:\\Windows\\notepad.exe", 2,
                3, kFile, 0, -1});
  db.Bar(0)->InsertSeparator(-1);
  db.AddButton({"http://example.com/", "Web", "", "", "http://example.com/", 0, 1, kInternet, 0, -1});
  db.AddBar("Caf\xE9 \xC0 la carte");
  db.AddButton({"C:\\", "Drive C", "C:\\", "", "C:\\", 0, 2, kFolder, 1, -1});
  db.Bar(1)->At(0)->Available = 0;
  db.Bar(1)->ShowOnTimer = 1;
  db.Bar(1)->ShowAfter = 30000;
  db.Bar(1)->Available = 0;
  db.Bar(1)->IconFile = "C:\\icons.dll";
  db.Bar(1)->IconIndex = 4;
  db.AddBar("Third");
  for (int i = 0; i < 5; ++i) db.AddButton({"C:\\", "f" + std::to_string(i), "", "", "C:\\", 0, 1, kFolder, 2, -1});
  db.SetHomeBar(1);
}

void ExpectSameButton(const CD& a, const CD& b) {
  EXPECT_EQ(a.Name, b.Name);
  EXPECT_EQ(a.Target, b.Target);
  EXPECT_EQ(a.WorkDir, b.WorkDir);
  EXPECT_EQ(a.Arguments, b.Arguments);
  EXPECT_EQ(a.ShowCmd, b.ShowCmd);
  EXPECT_EQ(a.Kind, b.Kind);
  EXPECT_EQ(a.IconFile, b.IconFile);
  EXPECT_EQ(a.IconIndex, b.IconIndex);
  EXPECT_EQ(a.IsSeparator, b.IsSeparator);
  EXPECT_EQ(a.CommandId, b.CommandId);
  if (a.Kind != kFile) {
    EXPECT_EQ(a.Available, b.Available);  // file buttons are probed at load
  }
}

void ExpectSameDatabase(CDB& a, CDB& b) {
  ASSERT_EQ(a.BarCount(), b.BarCount());
  EXPECT_EQ(a.GetHomeBar(), b.GetHomeBar());
  for (int32_t i = 0; i < a.BarCount(); ++i) {
    const CBar& x = *a.Bar(i);
    const CBar& y = *b.Bar(i);
    EXPECT_EQ(x.Name, y.Name);
    EXPECT_EQ(x.ShowOnLaunch, y.ShowOnLaunch);
    EXPECT_EQ(x.ShowOnTimer, y.ShowOnTimer);
    EXPECT_EQ(x.ShowAfter, y.ShowAfter);
    EXPECT_EQ(x.IconFile, y.IconFile);
    EXPECT_EQ(x.IconIndex, y.IconIndex);
    EXPECT_EQ(x.Available, y.Available);
    ASSERT_EQ(x.Count(), y.Count());
    for (int32_t j = 0; j < x.Count(); ++j) ExpectSameButton(*x.At(j), *y.At(j));
  }
}

class SaveLoadTest : public testing::Test {
 protected:
  std::unique_ptr<TestBackend> backend_ = MakeTestBackend();
  std::vector<std::string> reports_;
  std::unique_ptr<CDB> db_ = backend_->MakeDatabase(&reports_);
};

TEST_F(SaveLoadTest, SavedDatabaseLoadsBackTheSame) {
  FillSample(*db_);
  ASSERT_EQ(db_->Save(), 1);
  EXPECT_TRUE(backend_->Has("lbars.acc"));
  EXPECT_FALSE(backend_->Has("tmp_db.acc"));

  auto loaded = backend_->MakeDatabase(&reports_);
  ASSERT_EQ(loaded->Load(), 1);
  ExpectSameDatabase(*db_, *loaded);
  EXPECT_EQ(loaded->Bar(2)->At(3)->CommandId, 1252 + 3);
  EXPECT_TRUE(reports_.empty());
}

TEST_F(SaveLoadTest, LargeDatabaseRoundTrips) {
  for (int32_t bar = 0; bar < 20; ++bar) {
    db_->AddBar("bar " + std::to_string(bar));
    for (int32_t i = 0; i < 64; ++i)
      db_->AddButton({"C:\\", "b" + std::to_string(i), "", "", "C:\\", 0, 1, kFolder, bar, -1});
  }
  db_->Bar(7)->At(63)->Arguments = std::string(10000, 'a');  // beyond the small-stream limit
  ASSERT_EQ(db_->Save(), 1);
  auto loaded = backend_->MakeDatabase(&reports_);
  ASSERT_EQ(loaded->Load(), 1);
  ExpectSameDatabase(*db_, *loaded);
  EXPECT_EQ(loaded->Bar(19)->At(63)->CommandId, 1124 + 64 * 19 + 63);
  EXPECT_TRUE(reports_.empty());
}

TEST_F(SaveLoadTest, StreamsHoldTheDocumentedBytes) {
  db_->AddBar("Tools");
  db_->Bar(0)->IconFile = "C:\\t.ico";
  db_->Bar(0)->IconIndex = 2;
  db_->Bar(0)->ShowOnLaunch = 1;
  db_->Bar(0)->ShowAfter = 4000;
  db_->AddButton({"C:\\x.exe", "X", "C:\\", "-v", "C:\\x.exe", 1, 3, kFile, 0, -1});
  db_->Bar(0)->InsertSeparator(-1);
  db_->SetHomeBar(0);
  ASSERT_EQ(db_->Save(), 1);

  auto root = backend_->Backend().Open(backend_->PathOf("lbars.acc"));
  ASSERT_TRUE(root);
  std::vector<StorageElement> elements;
  ASSERT_TRUE(root->Enumerate(elements));
  EXPECT_EQ(elements.size(), 2u);
  EXPECT_EQ(ReadStream(*root, "__database_info__"), Int(0));
  std::unique_ptr<Storage> bar;
  ASSERT_EQ(root->OpenStorage("0", bar), StorageResult::kOk);
  const std::string record = ReadStream(*bar, "__quickrail_info__");
  EXPECT_EQ(record.size(), 28u + 5 + 8);
  EXPECT_EQ(record, Text("Tools") + Int(1) + Int(0) + Int(4000) + Text("C:\\t.ico") + Int(2) + Int(1));
  EXPECT_EQ(ReadStream(*bar, "0"), Text("X") + Text("C:\\x.exe") + Text("C:\\") + Text("-v") + Int(3) + Int(kFile) +
                                       Text("C:\\x.exe") + Int(1) + Int(1) + Int(0) + std::string(128, '\0'));
  // Four empty texts, ShowCmd 1, Kind -1, empty icon, index 0, Available 1, IsSeparator 1, reserved.
  const std::string separator = std::string(16, '\0') + Int(1) + Int(-1) + Int(0) + Int(0) + Int(1) + Int(1) +
                                std::string(128, '\0');
  ASSERT_EQ(separator.size(), 168u);
  EXPECT_EQ(ReadStream(*bar, "1"), separator);
}

TEST_F(SaveLoadTest, EmptyDatabaseFileHoldsOnlyItsRecord) {
  ASSERT_EQ(db_->Save(), 1);
  auto root = backend_->Backend().Open(backend_->PathOf("lbars.acc"));
  ASSERT_TRUE(root);
  std::vector<StorageElement> elements;
  ASSERT_TRUE(root->Enumerate(elements));
  ASSERT_EQ(elements.size(), 1u);
  EXPECT_EQ(elements[0].Name, "__database_info__");
  EXPECT_EQ(ReadStream(*root, "__database_info__"), Int(-1));
}

TEST_F(SaveLoadTest, WithoutAFileLoadKeepsWhatIsInMemory) {
  db_->AddBar("kept");
  EXPECT_EQ(db_->Load(), 1);
  EXPECT_EQ(db_->BarCount(), 1);
}

TEST_F(SaveLoadTest, UnreadableFileIsReportedAndKeptAsideBeforeTheNextSave) {
  for (const std::string& damage : {std::string(600, '\0'), std::string("garbage, not a compound file")}) {
    backend_->Put("lbars.acc", damage);
    reports_.clear();
    EXPECT_EQ(db_->Load(), 0);
    EXPECT_FALSE(db_->LastLoadSucceeded());
    EXPECT_EQ(reports_, std::vector<std::string>{"System error:\n (IStorage:  CDB::Load 1)"});
    db_->AddBar("new");
    ASSERT_EQ(db_->Save(), 1);
    EXPECT_TRUE(backend_->Has("lbars_unreadable.acc"));
    EXPECT_EQ(backend_->Contents(damage.size() == 600 ? "lbars_unreadable.acc" : "lbars_unreadable_2.acc"), damage);
    auto loaded = backend_->MakeDatabase();
    EXPECT_EQ(loaded->Load(), 1);
    EXPECT_EQ(loaded->BarCount(), 1);
  }
}

TEST_F(SaveLoadTest, LeftoverSaveCopyIsPutBackAtLoad) {
  db_->AddBar("old");
  ASSERT_EQ(db_->Save(), 1);
  const std::string old = backend_->Contents("lbars.acc");
  // A save that died after renaming and writing part of the new file.
  backend_->Files().Move(backend_->PathOf("lbars.acc"), backend_->PathOf("tmp_db.acc"));
  backend_->Put("lbars.acc", old.substr(0, old.size() / 2));

  auto loaded = backend_->MakeDatabase();
  ASSERT_EQ(loaded->Load(), 1);
  ASSERT_EQ(loaded->BarCount(), 1);
  EXPECT_EQ(loaded->Bar(0)->Name, "old");
  EXPECT_FALSE(backend_->Has("tmp_db.acc"));
  EXPECT_EQ(backend_->Contents("lbars.acc"), old);
  EXPECT_EQ(backend_->Contents("lbars_unfinished.acc"), old.substr(0, old.size() / 2));
}

TEST_F(SaveLoadTest, SaveAfterALeftoverSaveCopyEndsWithoutIt) {
  db_->AddBar("one");
  ASSERT_EQ(db_->Save(), 1);
  backend_->Put("tmp_db.acc", backend_->Contents("lbars.acc"));
  db_->AddBar("two");
  ASSERT_EQ(db_->Save(), 1);
  EXPECT_FALSE(backend_->Has("tmp_db.acc"));
  auto loaded = backend_->MakeDatabase();
  ASSERT_EQ(loaded->Load(), 1);
  EXPECT_EQ(loaded->BarCount(), 2);
}

TEST_F(SaveLoadTest, UndoPointIsTakenOnce) {
  EXPECT_EQ(db_->BeginUndo(), 0) << "no database file to copy yet";
  EXPECT_EQ(db_->UndoActive(), 0);
  db_->AddBar("first");
  ASSERT_EQ(db_->Save(), 1);
  const std::string first = backend_->Contents("lbars.acc");
  EXPECT_EQ(db_->BeginUndo(), 1);
  db_->AddBar("second");
  ASSERT_EQ(db_->Save(), 1);
  EXPECT_EQ(db_->BeginUndo(), 0);
  EXPECT_EQ(db_->UndoActive(), 1);
  EXPECT_EQ(backend_->Contents("undo_tmp.acc"), first);
}

TEST_F(SaveLoadTest, CommitWithoutUndoPointWritesNothing) {
  db_->AddBar("bar");
  EXPECT_EQ(db_->CommitUndo(), 0);
  EXPECT_FALSE(backend_->Has("lbars.acc"));
}

TEST_F(SaveLoadTest, CancelGoesBackToTheFileTakenAtOpening) {
  db_->AddBar("kept");
  ASSERT_EQ(db_->Save(), 1);
  const std::string opened = backend_->Contents("lbars.acc");
  ASSERT_EQ(db_->BeginUndo(), 1);
  db_->AddBar("added in the manager");
  db_->AddButton({"C:\\", "b", "", "", "C:\\", 0, 1, kFolder, 0, -1});

  EXPECT_EQ(db_->RollbackUndo(), CDB::Rollback::kRestored);
  EXPECT_EQ(db_->UndoActive(), 0);
  EXPECT_EQ(db_->BarCount(), 1);
  EXPECT_EQ(db_->Bar(0)->Count(), 0);
  EXPECT_EQ(backend_->Contents("lbars.acc"), opened);
  EXPECT_FALSE(backend_->Has("undo_tmp.acc"));
  EXPECT_FALSE(backend_->Has("tmp_db.acc"));
  EXPECT_EQ(db_->RollbackUndo(), CDB::Rollback::kNoUndoPoint);
}

TEST_F(SaveLoadTest, CancelAfterApplyGoesBackToTheApply) {
  db_->AddBar("start");
  ASSERT_EQ(db_->Save(), 1);
  ASSERT_EQ(db_->BeginUndo(), 1);
  db_->AddBar("applied");
  ASSERT_EQ(db_->CommitUndo(), 1);  // Apply
  EXPECT_FALSE(backend_->Has("undo_tmp.acc"));
  ASSERT_EQ(db_->BeginUndo(), 1);
  db_->AddBar("cancelled");
  db_->SetHomeBar(2);
  ASSERT_EQ(db_->RollbackUndo(), CDB::Rollback::kRestored);  // Cancel
  ASSERT_EQ(db_->BarCount(), 2);
  EXPECT_EQ(db_->Bar(1)->Name, "applied");
  EXPECT_EQ(db_->GetHomeBar(), -1);
}

}  // namespace
