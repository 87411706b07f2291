// What must be undone when a hold, a count or a change ends: the end runs
// once, either when the owner calls End() on the ordinary way out or when the
// scope is left early (a return, an exception caught further up), so nothing
// taken is ever left behind. A ScopeEnd can be moved into a member (a hold
// that outlives the function that took it) and back into a local.
#pragma once

#include <functional>
#include <utility>

#include "platform/exception_barrier.h"

class ScopeEnd {
 public:
  ScopeEnd() = default;
  explicit ScopeEnd(std::function<void()> end) : end_(std::move(end)) {}
  ScopeEnd(ScopeEnd&& other) noexcept : end_(std::exchange(other.end_, nullptr)) {}
  // The end this one held runs first: assigning never drops a hold.
  ScopeEnd& operator=(ScopeEnd&& other) noexcept {
    if (this != &other) {
      RunQuietly();
      end_ = std::exchange(other.end_, nullptr);
    }
    return *this;
  }
  ScopeEnd(const ScopeEnd&) = delete;
  ScopeEnd& operator=(const ScopeEnd&) = delete;
  // A destructor must not throw: an end that throws here is caught and
  // reported by the exception barrier.
  ~ScopeEnd() { RunQuietly(); }

  // Runs the end now, once; what it throws goes to the caller.
  void End() {
    if (std::function<void()> end = std::exchange(end_, nullptr)) end();
  }
  bool Pending() const { return static_cast<bool>(end_); }

 private:
  void RunQuietly() noexcept {
    if (!end_) return;
    GuardedVoid("end of a hold", [this] { End(); });
  }

  std::function<void()> end_;
};
