// The boundary where an exception must stop. The 32-bit build's exceptions
// cannot unwind through the system's frames, so one escaping a window or dialog
// procedure, a COM method or a thread body ends the process. Each such entry
// point runs its body inside Guarded: what is thrown is reported (once per
// process) and the entry point answers with its fallback value, so the program
// goes on.
#pragma once

#include <exception>
#include <functional>
#include <string>

// Who tells the user that something was caught: start-up sets it (a message
// box); until then, and in tests, a catch is only counted.
using CaughtReporter = std::function<void(const std::string& where, const std::string& what)>;
void SetCaughtReporter(CaughtReporter reporter);
// How many exceptions the barriers have caught in this process.
int CaughtCount();
// Called by Guarded; reports the first catch, counts every one.
void NoteCaught(const char* where, const char* what) noexcept;

template <class Result, class Body>
Result Guarded(const char* where, Result fallback, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::exception& e) {
    NoteCaught(where, e.what());
  } catch (...) {
    NoteCaught(where, "unknown exception");
  }
  return fallback;
}

template <class Body>
void GuardedVoid(const char* where, Body&& body) noexcept {
  try {
    body();
  } catch (const std::exception& e) {
    NoteCaught(where, e.what());
  } catch (...) {
    NoteCaught(where, "unknown exception");
  }
}
