// One copy of the program per user session.
//
// The very first thing a start does is make the session's named mutex; the
// start that made it is the copy that runs (of two starts at once, the system
// lets exactly one make it). A start that finds it made already hands over
// and ends before it reads or writes any file: it asks the running copy's bar
// window to come forward. That copy may still be starting, with no bar window
// yet (or its start-up question open): the request is tried again for a
// while, then the start just ends. A copy that was ending meanwhile (its bar
// window gone, its process not yet) leaves the mutex behind when it has
// ended: the waiting start then makes it and runs in its place.
#pragma once

#include <cstdint>
#include <functional>

// The installer opens it by this name to tell whether the program runs.
inline constexpr const char* kProgramMutexName = "OrvantisQuickrailMutex";

struct HandOverSteps {
  std::function<bool()> tell;             // true when the running copy heard the request
  std::function<bool()> takeOver;         // true when the mutex could be made now: no copy runs
  std::function<uint32_t()> milliseconds;  // a steady clock that wraps at 2^32
  std::function<void(int milliseconds)> wait;
};

enum class HandOverEnd {
  kHeard,    // the running copy came forward: this start ends
  kRunHere,  // the running copy had ended: this start runs
  kGaveUp,   // no answer within the patience: this start ends
};

// Tells the running copy, again every `retryMs` until it has heard, it has
// ended, or `patienceMs` have passed.
HandOverEnd HandOver(const HandOverSteps& steps, int patienceMs, int retryMs);
