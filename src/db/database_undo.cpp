// The undo point of the buttons manager: a copy of the database file taken
// when it opens, put back by Cancel.
#include "db/cdb.h"
#include "db/db_paths.h"
#include "platform/file_ops.h"

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
