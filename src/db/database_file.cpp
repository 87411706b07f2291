// Loading and saving the database file, with the save copy and the undo copy.
//
// A save renames "lbars.acc" to "tmp_db.acc", writes a new "lbars.acc", forces
// it to the disk and only then deletes "tmp_db.acc". So a "tmp_db.acc" that is
// still there means the last save did not finish, and the next load or save
// first puts it back. A file that could not be read completely is copied aside
// before anything overwrites it.
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
  if (!files_.Exists(PathOf(kDatabaseFileName))) return 1;
  bars_.clear();
  homeBar_ = -1;
  const int result = LoadBars();
  lastLoadSucceeded_ = result != 0;
  return result;
}

int CDB::LoadBars() {
  DatabaseIo io{programFolder_, files_, [this](const std::string& s) { ReportStorageError(s); }};
  keepFileBeforeSave_ = true;  // until the whole file has been read

  std::unique_ptr<Storage> root = storage_.Open(PathOf(kDatabaseFileName));
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

bool CDB::WriteNewFile() {
  const std::string path = PathOf(kDatabaseFileName);
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
      if (!info->Write(EncodeDatabaseInfo(homeBar_)) || !info->Commit()) return false;
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
  bool started = false;
  const bool done = ReplaceDatabaseWith([&] {
    started = true;
    return WriteNewFile();
  });
  if (!started) ReportStorageError(" CDB::Save 1)");
  return done ? 1 : 0;
}

bool CDB::ReplaceDatabaseWith(const std::function<bool()>& makeNewFile) {
  RecoverUnfinishedSave();
  const std::string database = PathOf(kDatabaseFileName);
  const std::string saveCopy = PathOf(kSaveCopyFileName);
  const bool hadFile = files_.Exists(database);
  if (hadFile && keepFileBeforeSave_) {
    if (!KeepBeside(database, kUnreadableStem)) return false;
    keepFileBeforeSave_ = false;
  }
  if (hadFile && !files_.Move(database, saveCopy)) return false;
  if (!makeNewFile()) {
    if (hadFile)
      files_.Move(saveCopy, database);
    else
      files_.Delete(database);
    return false;
  }
  // The new file is complete on the disk; if the old one cannot be deleted,
  // the next load takes it back, which still leaves a whole database.
  return !hadFile || files_.Delete(saveCopy);
}

void CDB::RecoverUnfinishedSave() {
  const std::string saveCopy = PathOf(kSaveCopyFileName);
  if (!files_.Exists(saveCopy)) return;
  const std::string database = PathOf(kDatabaseFileName);
  if (files_.Exists(database)) {
    const std::string kept = FreeNameBeside(kUnfinishedStem);
    if (!kept.empty()) files_.Move(database, kept);
  }
  files_.Move(saveCopy, database);
}

bool CDB::KeepBeside(const std::string& path, const char* stem) {
  const std::string kept = FreeNameBeside(stem);
  return !kept.empty() && files_.Copy(path, kept);
}

std::string CDB::FreeNameBeside(const char* stem) {
  const std::string base = PathOf(stem);
  for (int n = 1; n <= kMaxKeptCopies; ++n) {
    std::string name = n == 1 ? base + ".acc" : base + "_" + std::to_string(n) + ".acc";
    if (!files_.Exists(name)) return name;
  }
  return std::string();
}

int CDB::BeginUndo() {
  if (undoActive_) return 0;
  if (!files_.Copy(PathOf(kDatabaseFileName), PathOf(kUndoCopyFileName))) return 0;
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

int CDB::RollbackUndo() {
  if (!undoActive_) return 0;
  const std::string database = PathOf(kDatabaseFileName);
  const std::string undoCopy = PathOf(kUndoCopyFileName);
  if (!ReplaceDatabaseWith([&] { return files_.Copy(undoCopy, database) && files_.Flush(database); })) return 0;
  undoActive_ = 0;
  files_.Delete(undoCopy);
  Load();
  return 1;
}
