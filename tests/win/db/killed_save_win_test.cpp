// A process that saves two different databases in turn is killed at random
// moments; every load afterwards must find one of the two, whole. A process
// that makes the very first database over and over must leave none or all of it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "db/cdb.h"
#include "platform/file_ops.h"
#include "platform/handles_win.h"
#include "platform/storage.h"
#include "support/scratch_folder.h"

namespace {

constexpr const char* kFolderVariable = "QR_SAVE_LOOP_FOLDER";
// Set for a child whose every save is a first one (the database is deleted before).
constexpr const char* kFirstSaveVariable = "QR_SAVE_LOOP_FIRST";

// Database `which` (0 or 1): bars and buttons of different counts and names.
void Fill(CDB& db, int which) {
  const int bars = which ? 9 : 5;
  const int buttons = which ? 30 : 12;
  for (int bar = 0; bar < bars; ++bar) {
    db.AddBar((which ? "B" : "A") + std::to_string(bar));
    for (int i = 0; i < buttons; ++i)
      db.AddButton({"C:\\", std::string(which ? "b" : "a") + std::to_string(i), "", std::string(200, 'x'), "C:\\", 0,
                    1, kFolder, bar, -1});
  }
}

// -1 when the database is neither of the two.
int WhichDatabase(CDB& db) {
  for (int which = 0; which < 2; ++which) {
    CDB expected(PlatformStorage(), PlatformFileOps(), nullptr);
    Fill(expected, which);
    bool same = db.BarCount() == expected.BarCount();
    for (int32_t bar = 0; same && bar < db.BarCount(); ++bar) {
      same = db.Bar(bar)->Name == expected.Bar(bar)->Name && db.Bar(bar)->Count() == expected.Bar(bar)->Count();
      for (int32_t i = 0; same && i < db.Bar(bar)->Count(); ++i)
        same = db.Bar(bar)->At(i)->Name == expected.Bar(bar)->At(i)->Name &&
               db.Bar(bar)->At(i)->Arguments == expected.Bar(bar)->At(i)->Arguments;
    }
    if (same) return which;
  }
  return -1;
}

// The child: saves the two databases in turn until it is killed.
TEST(KilledSaveTest, SaveLoopChild) {
  const char* folder = std::getenv(kFolderVariable);
  if (!folder) GTEST_SKIP() << "runs only as the child of KillsSavesAtRandomMoments";
  const bool firstSaves = std::getenv(kFirstSaveVariable) != nullptr;
  for (int which = 0;; which ^= firstSaves ? 0 : 1) {
    if (firstSaves) ::DeleteFileA((std::string(folder) + "\\lbars.acc").c_str());
    CDB db(PlatformStorage(), PlatformFileOps(), nullptr);
    db.SetProgramFolder(folder);
    Fill(db, which);
    db.Save();
    // A first save's database lives until the next round deletes it: let it
    // stay long enough for some kills to find it.
    if (firstSaves) ::Sleep(30);
  }
}

// Starts the child (on the folder of the environment) and kills it after a random time.
void RunAndKillChild(std::mt19937& random) {
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string line = std::string("\"") + exe + "\" --gtest_filter=KilledSaveTest.SaveLoopChild";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &process));
  UniqueKernelHandle processHandle(process.hProcess);
  UniqueKernelHandle threadHandle(process.hThread);
  ::Sleep(std::uniform_int_distribution<int>(100, 1200)(random));
  ::TerminateProcess(processHandle.Get(), 1);
  ::WaitForSingleObject(processHandle.Get(), INFINITE);
}

TEST(KilledSaveTest, KillsSavesAtRandomMoments) {
  if (std::getenv(kFolderVariable)) GTEST_SKIP();
  const ScratchFolder scratch;
  const std::string folder = scratch.Path();
  {
    CDB first(PlatformStorage(), PlatformFileOps(), nullptr);
    first.SetProgramFolder(folder);
    Fill(first, 0);
    ASSERT_EQ(first.Save(), 1);
  }

  ::SetEnvironmentVariableA(kFolderVariable, folder.c_str());
  std::mt19937 random(12345);
  int seen[2] = {0, 0};
  int interrupted = 0;
  constexpr int kKills = 60;
  for (int kill = 0; kill < kKills; ++kill) {
    RunAndKillChild(random);
    if (PlatformFileOps().Exists(folder + "\\tmp_db.acc")) ++interrupted;
    CDB db(PlatformStorage(), PlatformFileOps(), nullptr);
    db.SetProgramFolder(folder);
    ASSERT_EQ(db.Load(), 1) << "after kill " << kill;
    const int which = WhichDatabase(db);
    ASSERT_NE(which, -1) << "after kill " << kill;
    ++seen[which];
  }
  ::SetEnvironmentVariableA(kFolderVariable, nullptr);
  EXPECT_EQ(seen[0] + seen[1], kKills);
  EXPECT_GT(interrupted + seen[1], 0) << "no kill met a save: the child never got that far";
  std::printf("killed %d saves (%d in the middle of a save): %d left the first database, %d the second\n", kKills,
              interrupted, seen[0], seen[1]);
}

TEST(KilledSaveTest, KilledFirstSavesLeaveNoDatabaseOrTheWholeOne) {
  if (std::getenv(kFolderVariable)) GTEST_SKIP();
  const ScratchFolder scratch;
  const std::string folder = scratch.Path();
  ::SetEnvironmentVariableA(kFolderVariable, folder.c_str());
  ::SetEnvironmentVariableA(kFirstSaveVariable, "1");
  std::mt19937 random(54321);
  int none = 0;
  int whole = 0;
  int interrupted = 0;
  constexpr int kKills = 30;
  for (int kill = 0; kill < kKills; ++kill) {
    RunAndKillChild(random);
    if (PlatformFileOps().Exists(folder + "\\new_db.acc")) ++interrupted;
    int reports = 0;
    CDB db(PlatformStorage(), PlatformFileOps(), [&](const std::string&) { ++reports; });
    db.SetProgramFolder(folder);
    ASSERT_EQ(db.Load(), 1) << "after kill " << kill;
    ASSERT_EQ(reports, 0) << "after kill " << kill;
    if (db.BarCount() == 0) {
      ++none;
    } else {
      ASSERT_EQ(WhichDatabase(db), 0) << "after kill " << kill;
      ++whole;
    }
  }
  ::SetEnvironmentVariableA(kFirstSaveVariable, nullptr);
  ::SetEnvironmentVariableA(kFolderVariable, nullptr);
  EXPECT_GT(whole, 0) << "no first save ever finished";
  std::printf("killed %d first saves (%d while the new file was written): %d left no database, %d the whole one\n",
              kKills, interrupted, none, whole);
}

}  // namespace
