// The undo point of the buttons manager: a copy of the database file taken
// when it opens, put back by Cancel, and a copy of the model in memory for a
// Cancel that can read no file at all.
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
  undoModel_ = ModelSnapshot::Take(*this);
  return 1;
}

int CDB::CommitUndo() {
  if (!undoActive_) return 0;
  // A save that did not reach the disk keeps the undo point, so Cancel can
  // still go back.
  if (!Save()) return 0;
  EndUndo(true);
  return 1;
}

void CDB::EndUndo(bool deleteCopy) {
  undoActive_ = 0;
  undoModel_.reset();
  if (deleteCopy) files_.Delete(PathOf(kUndoCopyFileName));
}

CDB::Rollback CDB::RollbackUndo() {
  if (!undoActive_) return Rollback::kNoUndoPoint;
  const std::string undoCopy = PathOf(kUndoCopyFileName);
  const Replaced replaced =
      ReplaceDatabaseWith([&](const std::string& path) { return files_.Copy(undoCopy, path) && files_.Flush(path); });
  switch (replaced) {
    case Replaced::kDone:
    case Replaced::kDoneCopyLeft:
      // The file as it was at the undo point, read as it was then. The undo
      // copy goes only once the file it was put back as has been read: a
      // read that fails (the file held by another program, a bad sector)
      // must still find it.
      DeferSlowTargetsOnNextLoad();
      if (HoldsDatabase() && Load() == 1) {
        EndUndo(true);
        return Rollback::kRestored;
      }
      return ReloadAfterFailedRollback(true);
    case Replaced::kFileStepFailed: ReportStorageError(" CDB::RollbackUndo 1)"); break;
    case Replaced::kNewFileFailed: ReportStorageError(" CDB::RollbackUndo 2)"); break;
    case Replaced::kKeepFailed: ReportStorageError(" CDB::RollbackUndo 3)"); break;
  }
  return ReloadAfterFailedRollback(false);
}

CDB::Rollback CDB::ReloadAfterFailedRollback(bool restored) {
  // The undo copy holds what Cancel promised; it stays on the disk, and the
  // undo point with it, until a save puts the model into "lbars.acc".
  bars_.clear();
  homeBar_ = -1;
  DeferSlowTargetsOnNextLoad();
  if (LoadBars(PathOf(kUndoCopyFileName)) == 1) {
    lastLoadSucceeded_ = true;
    return Rollback::kFromUndoCopy;
  }
  // A restored "lbars.acc" holds the undo copy's bytes and has failed already.
  if (!restored) {
    bars_.clear();
    homeBar_ = -1;
    DeferSlowTargetsOnNextLoad();
    if (HoldsDatabase() && Load() == 1) {
      EndUndo(false);
      return Rollback::kFromDatabase;
    }
  }
  // Nothing could be read: the bars as they were when the undo point was
  // taken, never an empty bar. The failed read has marked "lbars.acc" to be
  // kept beside before the next save writes over it.
  bars_.clear();
  homeBar_ = -1;
  if (undoModel_) undoModel_->Restore(*this);
  EndUndo(false);
  return Rollback::kUnreadable;
}
