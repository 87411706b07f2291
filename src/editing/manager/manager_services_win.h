// What the buttons manager asks of the system beyond its own dialog: choosing
// targets and folders, the places bar of the file dialogs while it is open, and
// preset bars. The manager owns the working fields; these operations only fill them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "editing/manager/working_fields.h"

class CDB;

class ManagerServices {
 public:
  virtual ~ManagerServices() = default;

  // The manager has opened (after its undo point) / is closing through OK or Cancel.
  virtual void OnManagerOpened() {}
  virtual void OnManagerClosed() {}

  // The "..." beside the target, also run when a new button is added. `kind` is
  // the entry's button kind (0 file, 1 folder, 2 web link). True when the fields
  // changed; for a file button the manager then shows the shell's large icon of
  // the new target in its icon boxes.
  virtual bool BrowseTarget(HWND manager, int kind, WorkingFields& fields) { (void)manager, (void)kind, (void)fields; return false; }
  // The "..." beside the working folder. True when the fields changed.
  virtual bool BrowseWorkDir(HWND manager, WorkingFields& fields) { (void)manager, (void)fields; return false; }
  // The preset menu at the manager's tool bar; the ordinal of the bar it added, or -1.
  virtual int32_t AddPresetBar(HWND manager, CDB& db) { (void)manager, (void)db; return -1; }
};
