// How many dialogs, menus and drags of the bar are open at once. Each opening
// is paired with its own closing, so a box opened and closed over another one
// never ends the other's hold early; the bar hears only the change from none
// to some and back (an autohide bar stays out while some are open).
#pragma once

#include <functional>

#include "platform/scope_end.h"

class DialogCount {
 public:
  explicit DialogCount(std::function<void(bool open)> changed = {}) : changed_(std::move(changed)) {}

  void Enter();
  // A closing without an opening is ignored: the count never goes below none.
  void Leave();
  int Count() const { return count_; }
  bool Open() const { return count_ > 0; }

  // One opening until the hold ends (End(), or the hold's own end); a hold
  // can be kept in a member, as the keyboard and a drag keep theirs.
  [[nodiscard]] ScopeEnd Hold() {
    Enter();
    return ScopeEnd([this] { Leave(); });
  }

  // One opening for the scope's lifetime.
  class Scope {
   public:
    explicit Scope(DialogCount& count) : count_(count) { count_.Enter(); }
    ~Scope() { count_.Leave(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    DialogCount& count_;
  };

 private:
  std::function<void(bool)> changed_;
  int count_ = 0;
};
