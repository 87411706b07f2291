// One copy of the program per user session.
//
// The very first thing a start does is make the session's named mutex; the
// start that made it is the copy that runs (of two starts at once, the system
// lets exactly one make it). A start that finds it made already hands over
// and ends before it reads or writes any file: it asks the running copy's bar
// window to come forward. That copy may still be starting, with no bar window
// yet (or its start-up question open): the request is tried again for a
// while, then the start just ends.
#pragma once

#include <cstdint>
#include <functional>

// The installer opens it by this name to tell whether the program runs.
inline constexpr const char* kProgramMutexName = "OrvantisQuickrailMutex";

struct HandOverSteps {
  std::function<bool()> tell;             // true when the running copy heard the request
  std::function<uint32_t()> milliseconds;  // a steady clock that wraps at 2^32
  std::function<void(int milliseconds)> wait;
};

// Tells the running copy, again every `retryMs` until it has heard or
// `patienceMs` have passed. True when it heard.
bool HandOver(const HandOverSteps& steps, int patienceMs, int retryMs);
