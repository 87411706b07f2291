// Earlier copies kept by the saves and put back by a restore.
#include <gtest/gtest.h>

#include <functional>

#include "db/cdb.h"
#include "db/earlier_copies.h"
#include "platform/storage_memory.h"
#include "support/file_ops_memory.h"

namespace {

using FileOp = MemoryFileSystem::Op;

const std::string kProgramFolder = "C:\\P";
const std::string kDb = kProgramFolder + "\\lbars.acc";
const std::string kCopies = kProgramFolder + "\\backups\\";

std::string Day(int day) { return "lbars-2026-03-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + ".acc"; }

class CopiesTest : public testing::Test {
 public:
  CopiesTest() {
    storage_.SetReverseEnumeration(true);
    db_.SetProgramFolder(kProgramFolder);
    db_.SetBeforeReplace([this](const std::string& database) { copies_.KeepDaily(database); });
  }

  // The model becomes bars of these names (one folder button each) and is saved on that day.
  void SaveOn(int day, std::vector<std::string> bars) {
    today_ = {2026, 3, day};
    while (db_.BarCount() > 0) db_.DeleteBar(0);
    for (const std::string& name : bars) {
      db_.AddBar(name);
      db_.AddButton({"C:\\", "b", "", "", "", 0, 1, kFolder, db_.BarCount() - 1, -1});
    }
    ASSERT_EQ(db_.Save(), 1);
  }
  std::vector<std::string> CopyNames() {
    std::vector<std::string> names;
    for (const KeptCopy& copy : copies_.List()) names.push_back(copy.path.substr(kCopies.size()));
    return names;
  }
  std::vector<std::string> BarsOf(const std::string& path) { return SummarizeDatabase(db_, path).barNames; }

  MemoryFileSystem files_;
  MemoryStorageBackend storage_{files_};
  CDB db_{storage_, files_, nullptr};
  CopyDate today_{2026, 3, 1};
  EarlierCopies copies_{db_, [this] { return today_; }};
};

struct KeepCase {
  const char* name;
  std::function<void(CopiesTest&, MemoryFileSystem&)> story;
  std::vector<std::string> copies;  // newest first
  std::vector<std::string> newestHolds;
};

void PrintTo(const KeepCase& c, std::ostream* out) { *out << c.name; }

class KeepCopiesTest : public CopiesTest, public testing::WithParamInterface<KeepCase> {};

TEST_P(KeepCopiesTest, KeepsTheDatabaseBeforeTheDaysFirstSave) {
  SaveOn(1, {"sample"});  // the very first save replaces nothing
  GetParam().story(*this, files_);
  EXPECT_EQ(CopyNames(), GetParam().copies);
  if (!GetParam().copies.empty()) EXPECT_EQ(BarsOf(kCopies + GetParam().copies.front()), GetParam().newestHolds);
  EXPECT_FALSE(files_.Has(kCopies + "lbars-copy.tmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Days, KeepCopiesTest,
    testing::Values(
        KeepCase{"FirstSaveOfADay", [](CopiesTest& t, auto&) { t.SaveOn(1, {"mine"}); }, {Day(1)}, {"sample"}},
        KeepCase{"SecondSaveThatDay",
                 [](CopiesTest& t, auto&) {
                   t.SaveOn(1, {"mine"});
                   t.SaveOn(1, {"mine", "more"});
                 },
                 {Day(1)}, {"sample"}},
        KeepCase{"UnchangedDatabase",
                 [](CopiesTest& t, auto&) {
                   t.SaveOn(1, {"sample"});  // rewritten with the same bars
                   t.SaveOn(2, {"sample"});
                   t.SaveOn(3, {"changed"});
                 },
                 {Day(1)}, {"sample"}},
        KeepCase{"FifteenthDay",
                 [](CopiesTest& t, auto&) {
                   for (int day = 1; day <= 15; ++day) t.SaveOn(day, {"day " + std::to_string(day)});
                 },
                 {Day(15), Day(14), Day(13), Day(12), Day(11), Day(10), Day(9), Day(8), Day(7), Day(6), Day(5),
                  Day(4), Day(3), Day(2)},
                 {"day 14"}},
        KeepCase{"UnreadableAtLoad",
                 [](CopiesTest& t, MemoryFileSystem& files) {
                   files.Put(kDb, "not a database");
                   EXPECT_EQ(t.db_.Load(), 0);
                   t.SaveOn(2, {"mine"});
                   EXPECT_EQ(files.Contents(kProgramFolder + "\\lbars_unreadable.acc"), "not a database");
                 },
                 {}, {}},
        KeepCase{"DamagedSinceItWasRead",
                 [](CopiesTest& t, MemoryFileSystem& files) {
                   files.Put(kDb, "not a database");
                   t.SaveOn(2, {"mine"});
                 },
                 {}, {}},
        KeepCase{"CopyThatCannotBeWritten",
                 [](CopiesTest& t, MemoryFileSystem& files) {
                   for (FileOp op : {FileOp::kMakeFolder, FileOp::kCopy, FileOp::kFlush, FileOp::kMove}) {
                     files.Faults().Clear();
                     files.Faults().FailNth(op, 1);
                     t.SaveOn(2, {"mine"});  // asserts the save succeeded
                     EXPECT_TRUE(t.CopyNames().empty());
                   }
                   files.Faults().Clear();
                   t.SaveOn(2, {"mine", "more"});  // the next save tries again
                 },
                 {Day(2)}, {"mine"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CopiesTest, RestoreKeepsTodaysBarsAndPutsTheCopyBack) {
  SaveOn(1, {"sample"});
  SaveOn(2, {"morning"});
  SaveOn(3, {"evening"});
  ASSERT_EQ(CopyNames(), (std::vector<std::string>{Day(3), Day(2)}));
  EXPECT_EQ(RestoreCopy(db_, copies_, copies_.List().back()), RestoreOutcome::kRestored);
  EXPECT_EQ(db_.BarCount(), 1);
  EXPECT_EQ(db_.Bar(0)->Name, "sample");
  EXPECT_EQ(BarsOf(kDb), std::vector<std::string>{"sample"});
  EXPECT_EQ(CopyNames(), (std::vector<std::string>{"lbars-2026-03-03_2.acc", Day(3), Day(2)}));
  EXPECT_EQ(BarsOf(kCopies + "lbars-2026-03-03_2.acc"), std::vector<std::string>{"evening"});

  files_.Put(kCopies + Day(3), "damaged");
  EXPECT_EQ(RestoreCopy(db_, copies_, copies_.List()[1]), RestoreOutcome::kDamaged);
  ASSERT_EQ(db_.BeginUndo(), 1);
  EXPECT_EQ(RestoreCopy(db_, copies_, copies_.List()[0]), RestoreOutcome::kUndoHeld);
  EXPECT_EQ(BarsOf(kDb), std::vector<std::string>{"sample"}) << "refusals change nothing";
}

// A restore killed after any number of file changes leaves the database as
// it was or the copy, whole.
TEST_F(CopiesTest, KilledRestoreLeavesOneWholeDatabase) {
  SaveOn(1, {"old"});
  SaveOn(2, {"now"});
  const KeptCopy copy = copies_.List().front();
  int outcomes[2] = {0, 0};
  for (int changes = 0;; ++changes) {
    files_.Revive();
    SaveOn(2, {"now"});
    files_.KillAfter(changes);
    RestoreCopy(db_, copies_, copy);
    const bool finished = !files_.Killed();
    files_.Revive();
    CDB next(storage_, files_, nullptr);
    next.SetProgramFolder(kProgramFolder);
    ASSERT_EQ(next.Load(), 1);
    ASSERT_EQ(next.BarCount(), 1) << "killed after " << changes << " changes";
    const bool restored = next.Bar(0)->Name == "old";
    EXPECT_TRUE(restored || next.Bar(0)->Name == "now") << "killed after " << changes << " changes";
    ++outcomes[restored ? 1 : 0];
    if (finished) {
      EXPECT_TRUE(restored) << "a restore that finished leaves the copy";
      break;
    }
    ASSERT_LT(changes, 50);
  }
  EXPECT_GT(outcomes[0], 0);
  EXPECT_GT(outcomes[1], 0);
}

}  // namespace
