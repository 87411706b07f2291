// Reading the database file (see database_file.cpp for how a save leaves it).
#include <algorithm>

#include "db/cdb.h"
#include "db/database_io.h"
#include "db/db_paths.h"
#include "db/element_order.h"
#include "db/records.h"
#include "platform/file_ops.h"
#include "platform/storage.h"

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
