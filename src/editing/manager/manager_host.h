// What the buttons manager needs of the bar window that opened it. The bar
// window implements it; the manager never sees the bar window itself.
#pragma once

class ManagerHost {
 public:
  virtual ~ManagerHost() = default;

  // Ordinal of the bar the window shows (-1 when there is none).
  virtual int DisplayedBar() = 0;
  // The manager moves the shown bar when that bar is moved, deleted or made
  // unavailable; the window shows the change when it rebuilds its buttons.
  virtual void SetDisplayedBar(int ordinal) = 0;
  // "Apply": the window shows the model as it is now (buttons, switch button,
  // layout): its apply-options operation.
  virtual void ApplyOptions() = 0;
  // The model was read from a file again (Cancel): the targets that load left
  // to the background check (CDB::SlowTargets) are to be checked now, as after
  // start-up. A host without such checks ignores it.
  virtual void DatabaseReloaded() {}
};
