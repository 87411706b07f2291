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
#include <algorithm>

#include "db/cdb.h"
#include "db/database_io.h"
#include "db/db_paths.h"
#include "db/element_order.h"
#include "db/records.h"
#include "platform/file_ops.h"
#include "platform/storage.h"

namespace {

constexpr int kMaxKeptCopies = 1000;

}  // namespace

int CDB::Load() {
  RecoverUnfinishedSave();
  lastLoadSucceeded_ = true;
  if (!HoldsDatabase()) return 1;
  bars_.clear();
  homeBar_ = -1;
  const int result = LoadBars(PathOf(kDatabaseFileName));
  lastLoadSucceeded_ = result != 0;
  return result;
}

int CDB::LoadBars(const std::string& path) {
  DatabaseIo io{programFolder_, files_, [this](const std::string& s) { ReportStorageError(s); }};
  io.SlowTargets = BeginTargetDeferral();
  keepFileBeforeSave_ = true;  // until the whole file has been read

  std::unique_ptr<Storage> root = storage_.Open(path);
  if (!root) {
    io.Report(" CDB::Load 1)");
    return 0;
  }

  int32_t storedHomeBar = -1;
  {
    std::unique_ptr<Stream> info;
    switch (root->OpenStream(kDatabaseInfoName, info)) {
      case StorageResult::kOk: {
        std::string bytes;
        if (info->ReadAll(bytes)) DecodeDatabaseInfo(bytes, storedHomeBar);
        break;
      }
      case StorageResult::kNotFound:
        break;
      case StorageResult::kFailed:
        io.Report(" CDB::Load 4)");
        return 0;
    }
  }

  std::vector<StorageElement> elements;
  if (!root->Enumerate(elements)) {
    io.Report(" CDB::Load 2)");
    return 0;
  }
  std::erase_if(elements, [](const StorageElement& e) { return !e.IsStorage; });
  SortForReading(elements);

  for (const StorageElement& element : elements) {
    std::unique_ptr<Storage> barStorage;
    if (root->OpenStorage(element.Name, barStorage) != StorageResult::kOk) {
      io.Report(" CD::Load 3)");
      return 0;
    }
    auto bar = std::make_unique<CBar>();
    bar->SetOrdinal(BarCount());
    if (!bar->Load(*barStorage, io)) continue;
    // The stored home bar names a bar by its element; it stays with that bar
    // even when bars before it were dropped.
    if (homeBar_ == -1 && storedHomeBar >= 0 && ElementNumber(element.Name) == storedHomeBar)
      homeBar_ = BarCount();
    bars_.push_back(std::move(bar));
  }
  keepFileBeforeSave_ = io.LostData;
  return 1;
}

bool CDB::HoldsDatabase() {
  const std::string database = PathOf(kDatabaseFileName);
  if (!files_.Exists(database)) return false;
  // An empty file beside a save copy is a save cut off after its rename;
  // recovery has put the copy back unless that failed, and then the open
  // below reports it.
  return !files_.IsEmptyFile(database) || files_.Exists(PathOf(kSaveCopyFileName));
}

bool CDB::DatabaseReadsWhole() {
  CDB probe(storage_, files_, nullptr);
  probe.SetProgramFolder(programFolder_);
  // Whether the file reads whole does not depend on the targets: the probe
  // leaves removable and network ones alone.
  probe.DeferSlowTargetsOnNextLoad();
  return probe.LoadBars(PathOf(kDatabaseFileName)) == 1 && !probe.keepFileBeforeSave_;
}

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
      return 1;
    case Replaced::kDoneCopyLeft:
      // The new database stands; the next save replaces the copy anyway.
      ReportStorageError(" CDB::Save 3)");
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

int CDB::BeginUndo() {
  if (undoActive_) return 0;
  const std::string database = PathOf(kDatabaseFileName);
  if (!files_.Exists(database)) return 0;
  if (!files_.Copy(database, PathOf(kUndoCopyFileName))) {
    ReportStorageError(" CDB::BeginUndo 1)");
    return 0;
  }
  undoActive_ = 1;
  return 1;
}

int CDB::CommitUndo() {
  if (!undoActive_) return 0;
  // A save that did not reach the disk keeps the undo point, so Cancel can
  // still go back.
  if (!Save()) return 0;
  files_.Delete(PathOf(kUndoCopyFileName));
  undoActive_ = 0;
  return 1;
}

CDB::Rollback CDB::RollbackUndo() {
  if (!undoActive_) return Rollback::kNoUndoPoint;
  const std::string undoCopy = PathOf(kUndoCopyFileName);
  const Replaced replaced =
      ReplaceDatabaseWith([&](const std::string& path) { return files_.Copy(undoCopy, path) && files_.Flush(path); });
  switch (replaced) {
    case Replaced::kDone:
    case Replaced::kDoneCopyLeft:
      undoActive_ = 0;
      files_.Delete(undoCopy);
      DeferSlowTargetsOnNextLoad();
      Load();  // the file as it was at the undo point, read as it was then
      return Rollback::kRestored;
    case Replaced::kFileStepFailed: ReportStorageError(" CDB::RollbackUndo 1)"); break;
    case Replaced::kNewFileFailed: ReportStorageError(" CDB::RollbackUndo 2)"); break;
    case Replaced::kKeepFailed: ReportStorageError(" CDB::RollbackUndo 3)"); break;
  }
  return ReloadAfterFailedRollback();
}

CDB::Rollback CDB::ReloadAfterFailedRollback() {
  // The undo copy holds what Cancel promised; it stays on the disk, and the
  // undo point with it, until a save puts the model into "lbars.acc".
  bars_.clear();
  homeBar_ = -1;
  DeferSlowTargetsOnNextLoad();
  if (LoadBars(PathOf(kUndoCopyFileName)) == 1) {
    lastLoadSucceeded_ = true;
    return Rollback::kFromUndoCopy;
  }
  bars_.clear();
  homeBar_ = -1;
  undoActive_ = 0;
  DeferSlowTargetsOnNextLoad();
  if (Load() == 1) return Rollback::kFromDatabase;
  bars_.clear();
  homeBar_ = -1;
  return Rollback::kUnreadable;
}
