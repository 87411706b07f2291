// Loading and saving the database file, with the save copy and the undo copy.
//
// A save renames "lbars.acc" to "tmp_db.acc", writes a new "lbars.acc", forces
// it to the disk and only then deletes "tmp_db.acc". So a "tmp_db.acc" beside
// an "lbars.acc" that cannot be read whole means the last save did not finish,
// and the next load or save first puts it back; beside a whole "lbars.acc" it
// is a copy that could not be deleted, and the new file wins. A database with
// no predecessor is written under "new_db.acc" and renamed into place when it
// is whole, so a first save cut off at any moment leaves no database or all of
// it. A file that could not be read completely is copied aside before
// anything overwrites it.
#include "db/cdb.h"
#include "db/database_io.h"
#include "db/db_paths.h"
#include "db/records.h"
#include "platform/file_ops.h"
#include "platform/storage.h"

namespace {

constexpr int kMaxKeptCopies = 1000;

}  // namespace

bool CDB::WriteNewFile(const std::string& path) {
  DatabaseIo io{programFolder_, files_, [this](const std::string& s) { ReportStorageError(s); }};
  {
    std::unique_ptr<CompoundFileWriter> file = storage_.Create(path);
    if (!file) {
      io.Report(" CDB::Save 1)");
      return false;
    }
    {
      std::unique_ptr<Stream> info = file->Root().CreateStream(kDatabaseInfoName);
      if (!info) {
        io.Report(" CD::Save 2)");
        return false;
      }
      if (!info->Write(EncodeDatabaseInfo(homeBar_)) || !info->Commit()) {
        io.Report(" CDB::Save 4)");
        return false;
      }
    }
    for (int32_t ordinal = 0; ordinal < BarCount(); ++ordinal)
      if (!bars_[ordinal]->Save(file->Root(), ordinal, io)) return false;
    if (!file->Finish()) {
      io.Report(" CDB::Save 1)");
      return false;
    }
  }
  if (!files_.Flush(path)) {
    io.Report(" CDB::Save 1)");
    return false;
  }
  return true;
}

int CDB::Save() {
  switch (ReplaceDatabaseWith([this](const std::string& path) { return WriteNewFile(path); })) {
    case Replaced::kDone:
    case Replaced::kDoneCopyLeft:
      // A copy that could not be deleted is no failure: the new database
      // stands, and the next load or save removes the copy.
      return 1;
    case Replaced::kFileStepFailed:
      ReportStorageError(" CDB::Save 1)");
      return 0;
    case Replaced::kKeepFailed:
      ReportStorageError(" CDB::Save 5)");
      return 0;
    case Replaced::kNewFileFailed:
      break;  // the writer has said why
  }
  return 0;
}

CDB::Replaced CDB::ReplaceDatabaseWith(const std::function<bool(const std::string& path)>& makeNewFile) {
  RecoverUnfinishedSave();
  if (!HoldsDatabase()) return WriteFirstDatabase(makeNewFile);
  const std::string database = PathOf(kDatabaseFileName);
  const std::string saveCopy = PathOf(kSaveCopyFileName);
  if (beforeReplace_ && !keepFileBeforeSave_) beforeReplace_(database);
  if (keepFileBeforeSave_) {
    if (!KeepBeside(database, kUnreadableStem)) return Replaced::kKeepFailed;
    keepFileBeforeSave_ = false;
  }
  if (!files_.Move(database, saveCopy)) return Replaced::kFileStepFailed;
  // What the writer throws (out of memory) goes on to the window procedure's
  // barrier; the old file is put back first, as for a failed write, so the
  // session goes on with its database in place and nothing half saved.
  bool made = false;
  try {
    made = makeNewFile(database);
  } catch (...) {
    files_.Move(saveCopy, database);
    throw;
  }
  if (!made) {
    files_.Move(saveCopy, database);
    return Replaced::kNewFileFailed;
  }
  // The new file is whole on the disk. A copy that cannot be deleted now is
  // recognised as a leftover by the next load, which keeps the new file.
  return files_.Delete(saveCopy) ? Replaced::kDone : Replaced::kDoneCopyLeft;
}

CDB::Replaced CDB::WriteFirstDatabase(const std::function<bool(const std::string& path)>& makeNewFile) {
  // Written straight into "lbars.acc", a first save cut off half way would
  // leave a file that every later start reports as damaged.
  const std::string fresh = PathOf(kNewFileName);
  bool made = false;
  try {
    made = makeNewFile(fresh);
  } catch (...) {
    files_.Delete(fresh);  // a half-written first file is never renamed into place
    throw;
  }
  if (!made) {
    files_.Delete(fresh);
    return Replaced::kNewFileFailed;
  }
  if (!files_.Move(fresh, PathOf(kDatabaseFileName))) {
    files_.Delete(fresh);
    return Replaced::kFileStepFailed;
  }
  keepFileBeforeSave_ = false;
  return Replaced::kDone;
}

void CDB::RecoverUnfinishedSave() {
  const std::string saveCopy = PathOf(kSaveCopyFileName);
  if (!files_.Exists(saveCopy)) return;
  const std::string database = PathOf(kDatabaseFileName);
  if (files_.Exists(database)) {
    if (DatabaseReadsWhole()) {
      // A finished save whose copy could not be deleted: the copy is older.
      files_.Delete(saveCopy);
      return;
    }
    const std::string kept = FreeNameBeside(kUnfinishedStem);
    if (!kept.empty()) files_.Move(database, kept);
  }
  files_.Move(saveCopy, database);
}

bool CDB::KeepBeside(const std::string& path, const char* stem) {
  if (AlreadyKept(path, stem)) return true;
  const std::string kept = FreeNameBeside(stem);
  return !kept.empty() && files_.Copy(path, kept);
}

bool CDB::AlreadyKept(const std::string& path, const char* stem) {
  std::string bytes;
  if (!files_.ReadAll(path, bytes)) return false;
  for (int n = 1; n <= kMaxKeptCopies; ++n) {
    const std::string name = KeptName(stem, n);
    if (!files_.Exists(name)) break;
    std::string kept;
    if (files_.ReadAll(name, kept) && kept == bytes) return true;
  }
  return false;
}

std::string CDB::KeptName(const char* stem, int n) const {
  const std::string base = PathOf(stem);
  return n == 1 ? base + ".acc" : base + "_" + std::to_string(n) + ".acc";
}

std::string CDB::FreeNameBeside(const char* stem) {
  for (int n = 1; n <= kMaxKeptCopies; ++n) {
    std::string name = KeptName(stem, n);
    if (!files_.Exists(name)) return name;
  }
  return std::string();
}
