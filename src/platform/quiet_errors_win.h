// Probing a drive without a medium (an empty floppy or CD drive, a card
// reader) must not raise the system's "no disk" box: while an object of this
// class lives, the calling thread's probes fail quietly instead. Where the
// system has an error mode per thread (Windows 7 on) only this thread's is
// changed, so that probes on a worker thread and on the window's thread do not
// put back each other's mode; older systems have only the process's mode.
#pragma once

#include <windows.h>

class QuietErrorMode {
 public:
  QuietErrorMode();
  ~QuietErrorMode();
  QuietErrorMode(const QuietErrorMode&) = delete;
  QuietErrorMode& operator=(const QuietErrorMode&) = delete;

 private:
  DWORD old_ = 0;
  bool perThread_ = true;
};
