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

int ManagerUndo::Rollback() {
  if (snapshot_) {
    snapshot_->Restore(db_);
  } else if (!db_.RollbackUndo()) {
    return 0;
  }
  host_.SetDisplayedBar(displayedAtBegin_);
  return 1;
}
