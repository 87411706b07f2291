// Bars and buttons in memory: list operations, command ids, home bar, launch.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "db/cbar.h"
#include "db/cdb.h"
#include "db/launch.h"
#include "support/file_ops_memory.h"
#include "platform/storage_memory.h"

namespace {

std::unique_ptr<CD> Button(const std::string& name) {
  auto b = std::make_unique<CD>();
  b->Name = name;
  b->Kind = kFile;
  return b;
}

CBar BarOf(const std::vector<std::string>& names) {
  CBar bar;
  for (const auto& name : names) bar.Insert(Button(name), -1);
  return bar;
}

std::string Names(const CBar& bar) {
  std::string out;
  for (int32_t i = 0; i < bar.Count(); ++i) out += (i ? "," : "") + bar.At(i)->Name;
  return out;
}

// Every id equals 1124 + 64 × ordinal + position.
void ExpectIdsInLine(const CBar& bar) {
  for (int32_t i = 0; i < bar.Count(); ++i)
    EXPECT_EQ(bar.At(i)->CommandId, 1124 + 64 * bar.Ordinal() + i) << "position " << i;
}

struct InsertCase {
  std::vector<std::string> before;
  int32_t position;
  int expected;
  std::string after;
};

class InsertTest : public testing::TestWithParam<InsertCase> {};

TEST_P(InsertTest, PlacesTheButton) {
  const InsertCase& c = GetParam();
  CBar bar = BarOf(c.before);
  auto button = Button("N");
  EXPECT_EQ(bar.Insert(std::move(button), c.position), c.expected);
  EXPECT_EQ(Names(bar), c.after);
  EXPECT_EQ(button != nullptr, c.expected == 0) << "a refused button stays with the caller";
  ExpectIdsInLine(bar);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, InsertTest,
    testing::Values(InsertCase{{}, 5, 1, "N"}, InsertCase{{}, -1, 1, "N"}, InsertCase{{}, -7, 1, "N"},
                    InsertCase{{"a", "b", "c"}, -1, 1, "a,b,c,N"}, InsertCase{{"a", "b", "c"}, 2, 1, "a,b,c,N"},
                    InsertCase{{"a", "b", "c"}, 0, 1, "a,N,b,c"}, InsertCase{{"a", "b", "c"}, 1, 1, "a,b,N,c"},
                    InsertCase{{"a", "b", "c"}, 3, 0, "a,b,c"}, InsertCase{{"a", "b", "c"}, -2, 0, "a,b,c"}));

TEST(BarTest, RemoveAndSwapKeepOrderAndIds) {
  CBar one = BarOf({"a"});
  EXPECT_EQ(one.Remove(0), 1);
  EXPECT_EQ(one.Count(), 0);
  EXPECT_EQ(one.At(0), nullptr);
  one.Insert(Button("b"), 3);
  EXPECT_EQ(Names(one), "b");

  CBar bar = BarOf({"a", "b", "c", "d"});
  bar.SetOrdinal(2);
  EXPECT_EQ(bar.Swap(0, 1), 1);
  EXPECT_EQ(Names(bar), "b,a,c,d");
  EXPECT_EQ(bar.Swap(3, 2), 1);
  EXPECT_EQ(Names(bar), "b,a,d,c");
  bar.Insert(Button("e"), -1);
  EXPECT_EQ(Names(bar), "b,a,d,c,e");
  ExpectIdsInLine(bar);
  EXPECT_EQ(bar.At(0)->CommandId, 1252);

  EXPECT_EQ(bar.Remove(1), 1);
  EXPECT_EQ(Names(bar), "b,d,c,e");
  ExpectIdsInLine(bar);
  EXPECT_EQ(bar.Remove(4), 0);
  EXPECT_EQ(bar.Swap(3, 4), 0);
  EXPECT_EQ(Names(bar), "b,d,c,e");
}

TEST(BarTest, SeparatorsCountAsAvailable) {
  CBar bar = BarOf({"a", "b"});
  bar.At(1)->Available = 0;
  EXPECT_EQ(bar.InsertSeparator(0), 1);
  const CD& separator = *bar.At(1);
  EXPECT_EQ(separator.IsSeparator, 1);
  EXPECT_EQ(separator.Kind, kSeparator);
  EXPECT_EQ(separator.Available, 1);
  EXPECT_EQ(bar.CountAvailable(), 2);
}

TEST(BarTest, LaunchOpensTheFirstButtonWithTheId) {
  CBar bar;
  CD web;
  web.Kind = kInternet;
  web.Target = "http://example.com/";
  web.WorkDir = "C:\\Temp";
  web.Arguments = "--new";
  web.ShowCmd = 3;
  bar.Insert(std::make_unique<CD>(CD::MakeSeparator()), -1);
  bar.Insert(std::make_unique<CD>(web), -1);
  CD twin = web;
  twin.Target = "second";
  bar.Insert(std::make_unique<CD>(twin), -1);
  bar.At(2)->CommandId = bar.At(1)->CommandId;  // ids can only collide when set by hand

  std::vector<LaunchRecord> launched;
  const Launcher record = [&](const LaunchRecord& r) { launched.push_back(r); };
  bar.Launch(9999, record);
  EXPECT_TRUE(launched.empty());
  bar.Launch(1125, record);
  ASSERT_EQ(launched.size(), 1u);
  const LaunchRecord& r = launched[0];
  EXPECT_EQ(r.Size, 60u);
  EXPECT_EQ(r.Mask, 0u);
  EXPECT_EQ(r.Verb, "open");
  EXPECT_EQ(r.File, "http://example.com/");
  EXPECT_EQ(r.Parameters, "--new");
  EXPECT_EQ(r.Directory, "C:\\Temp");
  EXPECT_EQ(r.Show, 3);

  // Without an injected launcher the process-wide one is used.
  Launcher saved = CurrentLauncher();
  CurrentLauncher() = record;
  bar.Launch(1124);
  CurrentLauncher() = saved;
  ASSERT_EQ(launched.size(), 2u);
  EXPECT_EQ(launched[1].File, "");
}

// A working folder that names a file (a target copied into it) starts the
// program in that file's folder; folders, and paths that name nothing, stay.
TEST(BarTest, WorkingFolderNamingAFileStartsInItsFolder) {
  const std::set<std::string> files = {"C:\\windows\\notepad.exe", "C:\\boot.ini"};
  const auto isFile = [&](const std::string& path) { return files.count(path) > 0; };
  const struct {
    const char *workDir, *started;
  } cases[] = {
      {"C:\\windows\\notepad.exe", "C:\\windows\\"},
      {"C:\\boot.ini", "C:\\"},
      {"C:\\windows", "C:\\windows"},
      {"C:\\gone\\old.exe", "C:\\gone\\old.exe"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(StartingFolder(c.workDir, isFile), c.started) << c.workDir;
}

// A relative file target is opened where the load found it: in the program
// folder, whatever the current folder is. Other kinds go to the shell as stored.
// Run as administrator opens the same; "Open file location" selects it in
// Explorer, without quotes or a final backslash of its own.
TEST(BarTest, ARelativeFileTargetIsOpenedInTheProgramFolder) {
  const std::vector<std::tuple<int32_t, std::string, std::string, std::string>> cases = {
      {kFile, "tools\\t.exe", "C:\\Prog\\tools\\t.exe", "C:\\Prog\\tools\\t.exe"},
      {kFile, "\\t.exe", "C:\\t.exe", "C:\\t.exe"},
      {kFile, "\\\\srv\\s\\t.exe", "\\\\srv\\s\\t.exe", "\\\\srv\\s\\t.exe"},
      {kFolder, "shell:startup", "shell:startup", "shell:startup"},
      {kFolder, "C:\\Tools\\", "C:\\Tools\\", "C:\\Tools"},
      {kFolder, "D:\\", "D:\\", "D:\\"},
      {kFolder, " \"C:\\a b\" ", " \"C:\\a b\" ", "C:\\a b"},
  };
  for (const auto& [kind, target, opened, located] : cases) {
    CBar bar;
    bar.Insert(std::make_unique<CD>(CD{{target, "", "", "-x"}, 1, kind}), -1);
    std::string file;
    bar.Launch(1124, [&](const LaunchRecord& r) { file = r.File; }, "C:\\Prog");
    EXPECT_EQ(file, opened) << target;
    const LaunchRecord elevated = ElevatedLaunchRecord(*bar.At(0), "C:\\Prog");
    EXPECT_EQ(elevated.Verb + " " + elevated.File + " " + elevated.Parameters, "runas " + opened + " -x");
    const LaunchRecord location = FileLocationRecord(*bar.At(0), "C:\\Prog");
    EXPECT_EQ(location.Verb + " " + location.File + " " + location.Parameters,
              "open explorer.exe /select,\"" + located + "\"");
  }
}

class DatabaseModelTest : public testing::Test {
 protected:
  DatabaseModelTest() : storage_(files_), db_(storage_, files_, nullptr) { db_.SetProgramFolder("C:\\Prog"); }
  void AddBars(int n) {
    for (int i = 0; i < n; ++i) {
      db_.AddBar("bar" + std::to_string(i));
      for (int j = 0; j < 3; ++j) db_.AddButton({"C:\\", "b", "", "", "", 0, 1, kFolder, i, -1});
    }
  }
  void ExpectAllIdsInLine() {
    for (int32_t i = 0; i < db_.BarCount(); ++i) {
      EXPECT_EQ(db_.Bar(i)->Ordinal(), i);
      ExpectIdsInLine(*db_.Bar(i));
    }
  }
  std::string BarNames() {
    std::string out;
    for (int32_t i = 0; i < db_.BarCount(); ++i) out += (i ? "," : "") + db_.Bar(i)->Name;
    return out;
  }

  MemoryFileSystem files_;
  MemoryStorageBackend storage_;
  CDB db_;
};

TEST_F(DatabaseModelTest, NewBarTakesTheProgramIcon) {
  EXPECT_EQ(db_.AddBar("New"), 0);
  EXPECT_EQ(db_.AddBar("Other"), 1);
  const CBar& bar = *db_.Bar(0);
  EXPECT_EQ(bar.Name, "New");
  EXPECT_EQ(bar.IconFile, "C:\\Prog\\Orvantis.exe");
  EXPECT_EQ(bar.IconIndex, 0);
  EXPECT_EQ(bar.Available, 1);
  EXPECT_EQ(bar.Count(), 0);
  EXPECT_EQ(db_.Bar(2), nullptr);
  EXPECT_EQ(db_.Bar(-1), nullptr);
}

TEST_F(DatabaseModelTest, AddButtonCopiesEveryField) {
  AddBars(2);
  EXPECT_EQ(db_.AddButton({"C:\\t.exe", "T", "C:\\w", "-a", "C:\\i.dll", 4, 2, kFile, 1, 0}), 1);
  const CD& b = *db_.Bar(1)->At(1);
  EXPECT_EQ(b.Target, "C:\\t.exe");
  EXPECT_EQ(b.Name, "T");
  EXPECT_EQ(b.WorkDir, "C:\\w");
  EXPECT_EQ(b.Arguments, "-a");
  EXPECT_EQ(b.IconFile, "C:\\i.dll");
  EXPECT_EQ(b.IconIndex, 4);
  EXPECT_EQ(b.ShowCmd, 2);
  EXPECT_EQ(b.Kind, kFile);
  EXPECT_EQ(b.Available, 1);
  EXPECT_EQ(b.IsSeparator, 0);
  EXPECT_EQ(b.CommandId, 1124 + 64 + 1);
  ExpectAllIdsInLine();
  EXPECT_EQ(db_.AddButton({"x", "x", "", "", "", 0, 1, kFile, 5, -1}), 0);
  EXPECT_EQ(db_.AddButton({"x", "x", "", "", "", 0, 1, kFile, 0, 17}), 0);
}

TEST_F(DatabaseModelTest, HomeBarTakesOnlyValidOrdinals) {
  AddBars(3);
  db_.SetHomeBar(2);
  for (int32_t invalid : {-2, 3, 100}) {
    db_.SetHomeBar(invalid);
    EXPECT_EQ(db_.GetHomeBar(), 2);
  }
  db_.SetHomeBar(-1);
  EXPECT_EQ(db_.GetHomeBar(), -1);
}

struct DeleteCase {
  int32_t home;
  int32_t deleted;
  int32_t homeAfter;
  const char* barsAfter;
};

class DeleteBarTest : public DatabaseModelTest, public testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteBarTest, HomeBarStaysOnItsBar) {
  AddBars(4);
  db_.SetHomeBar(GetParam().home);
  EXPECT_EQ(db_.DeleteBar(GetParam().deleted), GetParam().deleted < 4 ? 3 : 4);
  EXPECT_EQ(db_.GetHomeBar(), GetParam().homeAfter);
  EXPECT_EQ(BarNames(), GetParam().barsAfter);
  ExpectAllIdsInLine();
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteBarTest,
                         testing::Values(DeleteCase{2, 0, 1, "bar1,bar2,bar3"}, DeleteCase{2, 2, -1, "bar0,bar1,bar3"},
                                         DeleteCase{2, 3, 2, "bar0,bar1,bar2"}, DeleteCase{-1, 1, -1, "bar0,bar2,bar3"},
                                         DeleteCase{1, 4, 1, "bar0,bar1,bar2,bar3"}));

TEST_F(DatabaseModelTest, SwapBarsMovesTheHomeMarkWithItsBar) {
  AddBars(3);
  db_.SetHomeBar(1);
  db_.SwapBars(1, 2);
  EXPECT_EQ(BarNames(), "bar0,bar2,bar1");
  EXPECT_EQ(db_.GetHomeBar(), 2);
  db_.SwapBars(0, 2);
  EXPECT_EQ(db_.GetHomeBar(), 0);
  db_.SwapBars(1, 2);
  EXPECT_EQ(db_.GetHomeBar(), 0);
  db_.SwapBars(0, 3);
  EXPECT_EQ(BarNames(), "bar1,bar0,bar2");
  ExpectAllIdsInLine();
}

}  // namespace
