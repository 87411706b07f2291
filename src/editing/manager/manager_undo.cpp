#include "editing/manager/manager_undo.h"

#include "db/cdb.h"
#include "editing/manager/manager_host.h"

void ManagerUndo::Begin() {
  displayedAtBegin_ = host_.DisplayedBar();
  snapshot_.reset();
  if (!db_.BeginUndo()) snapshot_ = ManagerSnapshot::Take(db_);
}

int ManagerUndo::Commit() {
  // An undo copy held from before this manager opened is committed too, so it
  // does not outlive the save.
  return db_.UndoActive() ? db_.CommitUndo() : db_.Save();
}

CDB::Rollback ManagerUndo::Rollback() {
  if (snapshot_) {
    snapshot_->Restore(db_);
    host_.SetDisplayedBar(displayedAtBegin_);
    return CDB::Rollback::kRestored;
  }
  const CDB::Rollback result = db_.RollbackUndo();
  if (result == CDB::Rollback::kNoUndoPoint) return result;
  // The model was read from a file: the window shows the bar it showed at
  // Begin while that bar exists, and checks the slow targets in the background.
  host_.SetDisplayedBar(displayedAtBegin_ < db_.BarCount() ? displayedAtBegin_ : db_.BarCount() > 0 ? 0 : -1);
  host_.DatabaseReloaded();
  return result;
}
