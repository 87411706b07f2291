// The session's named mutex that marks the running copy, and the hand-over of
// a start that finds it (see single_copy.h).
#pragma once

#include "app/single_copy.h"
#include "platform/handles_win.h"

class SingleCopy {
 public:
  // Makes the mutex, or opens the one the running copy made. It is kept open
  // for the life of the process.
  SingleCopy();
  SingleCopy(const SingleCopy&) = delete;
  SingleCopy& operator=(const SingleCopy&) = delete;

  // False when another copy made the mutex first.
  bool First() const { return first_; }

  // Lets go of the mutex and makes it again: true when this start made it
  // (the copy that had made it has ended), and from then on First().
  bool TakeOver();

 private:
  UniqueKernelHandle mutex_;
  bool first_ = true;
};

// Asks the running copy's bar window to come forward, patiently while that
// copy is still starting; takes its place when it has ended meanwhile.
HandOverEnd HandOverToRunningCopy(SingleCopy& copy);
