// The manager's bracket around its edits: an undo point when it opens and after
// every Apply, saved by Apply and OK, rolled back by Cancel.
//
// When no undo copy of the database file can be taken (there is no file yet,
// or a copy is already held), no edit may be lost: Apply and OK then save the
// model directly, and Cancel puts back a copy of the model kept in memory.
// The displayed bar goes back with the bars on Cancel.
//
// A Cancel that cannot put the file back leaves the model as the undo copy or
// "lbars.acc" holds it (CDB::RollbackUndo); the edits of the session never
// stay in memory.
#pragma once

#include <optional>

#include "db/cdb.h"
#include "editing/manager/manager_snapshot.h"

class ManagerHost;

class ManagerUndo {
 public:
  ManagerUndo(CDB& db, ManagerHost& host) : db_(db), host_(host) {}

  // Takes the undo point (or the copy in memory).
  void Begin();
  // Saves the model; 1 when it reached the disk.
  int Commit();
  // Goes back to the state of the last Begin: kRestored when the model (and the
  // file) was put back, else the file the model was read from instead.
  CDB::Rollback Rollback();

  // True while Cancel relies on the copy in memory.
  bool InMemory() const { return snapshot_.has_value(); }

 private:
  CDB& db_;
  ManagerHost& host_;
  std::optional<ManagerSnapshot> snapshot_;
  int displayedAtBegin_ = -1;
};
