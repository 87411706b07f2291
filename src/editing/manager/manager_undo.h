// The manager's bracket around its edits: an undo point when it opens and after
// every Apply, saved by Apply and OK, rolled back by Cancel.
//
// When no undo copy of the database file can be taken (there is no file yet,
// or a copy is already held), no edit may be lost: Apply and OK then save the
// model directly, and Cancel puts back a copy of the model kept in memory.
// The displayed bar goes back with the bars on Cancel.
#pragma once

#include <optional>

#include "editing/manager/manager_snapshot.h"

class CDB;
class ManagerHost;

class ManagerUndo {
 public:
  ManagerUndo(CDB& db, ManagerHost& host) : db_(db), host_(host) {}

  // Takes the undo point (or the copy in memory).
  void Begin();
  // Saves the model; 1 when it reached the disk.
  int Commit();
  // Goes back to the state of the last Begin; 1 when the model was put back.
  int Rollback();

  // True while Cancel relies on the copy in memory.
  bool InMemory() const { return snapshot_.has_value(); }

 private:
  CDB& db_;
  ManagerHost& host_;
  std::optional<ManagerSnapshot> snapshot_;
  int displayedAtBegin_ = -1;
};
