// What only the ole32 backend shows: a real compound file on disk, held open
// only while it is read or written, readable by other compound-file readers.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <thread>

#include "platform/handles_win.h"
#include "shared/db/test_backend.h"

namespace {

bool OpensExclusively(const std::string& path) {
  UniqueKernelHandle file(
      ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  return static_cast<bool>(file);
}

// The database the outside reader expects (see tests/e2e/db_olefile_check.py).
void FillKnownDatabase(CDB& db) {
  db.AddBar("Tools");
  db.AddButton({"C:\\windows\\notepad.exe", "Notepad", "C:\\windows", "-x", "C:\\windows\\notepad.exe", 0, 1, kFile,
                0, -1});
  db.Bar(0)->InsertSeparator(-1);
  db.AddButton({"http://example.com/", "Web", "", "", "http://example.com/", 0, 3, kInternet, 0, -1});
  for (int bar = 1; bar < 12; ++bar) db.AddBar("Bar " + std::to_string(bar));
  db.SetHomeBar(11);
}

TEST(OleFileTest, SavedFileIsACompoundFileAndNotHeldOpen) {
  auto backend = MakeTestBackend();
  auto db = backend->MakeDatabase();
  FillKnownDatabase(*db);
  ASSERT_EQ(db->Save(), 1);
  const std::string bytes = backend->Contents("lbars.acc");
  ASSERT_GE(bytes.size(), 512u);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
  EXPECT_TRUE(OpensExclusively(backend->PathOf("lbars.acc")));
  ASSERT_EQ(db->Load(), 1);
  EXPECT_TRUE(OpensExclusively(backend->PathOf("lbars.acc")));
  EXPECT_EQ(db->BarCount(), 12);
  EXPECT_EQ(db->GetHomeBar(), 11);
}

TEST(OleFileTest, FileInUseCannotBeLoadedOrSaved) {
  auto backend = MakeTestBackend();
  std::vector<std::string> reports;
  auto db = backend->MakeDatabase(&reports);
  db->AddBar("bar");
  ASSERT_EQ(db->Save(), 1);
  const std::string before = backend->Contents("lbars.acc");
  UniqueKernelHandle holder(::CreateFileA(backend->PathOf("lbars.acc").c_str(), GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);
  EXPECT_EQ(db->Load(), 0);
  EXPECT_EQ(db->Save(), 0);
  EXPECT_EQ(reports, (std::vector<std::string>{"System error:\n (IStorage:  CDB::Load 1)",
                                               "System error:\n (IStorage:  CDB::Save 5)"}))
      << "the file that could not be read is kept before a save, and the copy fails first";
  holder.Reset();
  EXPECT_EQ(backend->Contents("lbars.acc"), before);
  EXPECT_FALSE(backend->Has("tmp_db.acc"));
}

// Another program's handle on the database while it is read: readers (a
// virus scanner, an indexer) share it; a writer or an exclusive holder makes
// the read wait a moment, and one that lets go within it is no failure.
TEST(OleFileTest, ReadSharesWithReadersAndWaitsBrieflyForOthers) {
  const struct {
    DWORD access, share, heldMs;  // INFINITE: for the whole read
    int loaded;
  } others[] = {{GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, INFINITE, 1},
                {GENERIC_READ, FILE_SHARE_READ, INFINITE, 1},
                {GENERIC_READ, 0, 300, 1},
                {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, INFINITE, 0}};
  for (const auto& other : others) {
    auto backend = MakeTestBackend();
    auto db = backend->MakeDatabase();
    db->AddBar("bar");
    ASSERT_EQ(db->Save(), 1);
    UniqueKernelHandle holder(::CreateFileA(backend->PathOf("lbars.acc").c_str(), other.access, other.share, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    std::thread release;
    if (other.heldMs != INFINITE) release = std::thread([&holder, &other] { ::Sleep(other.heldMs); holder.Reset(); });
    EXPECT_EQ(db->Load(), other.loaded) << other.access << " " << other.share;
    if (release.joinable()) release.join();
    EXPECT_EQ(db->BarCount(), other.loaded);
  }
}

// Writes the known database into the folder named by QR_OLEFILE_OUT, for the
// outside reader; does nothing without it.
TEST(OleFileTest, WritesTheKnownDatabaseForAnOutsideReader) {
  const char* folder = std::getenv("QR_OLEFILE_OUT");
  if (!folder || !*folder) GTEST_SKIP() << "QR_OLEFILE_OUT not set";
  auto backend = MakeTestBackend();
  auto db = std::make_unique<CDB>(backend->Backend(), backend->Files(), nullptr);
  db->SetProgramFolder(folder);
  FillKnownDatabase(*db);
  ASSERT_EQ(db->Save(), 1);
}

}  // namespace
