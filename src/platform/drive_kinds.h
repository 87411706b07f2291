// The kinds of the drives by letter, kept for a moment: a load or a build of
// the bar asks once per button, and asking the system again for every path on
// a drive would cost a call each. A kind is asked anew once it is older than
// kKeptMs, so a letter mapped or dropped later in the run (a VPN, a logon
// script) is seen as it is now; Forget drops every kind at once (the bar does
// at every device change).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "platform/file_ops.h"

class DriveKinds {
 public:
  // Milliseconds from any start, never going back.
  using Clock = std::function<uint64_t()>;
  static constexpr uint64_t kKeptMs = 2000;

  DriveKinds() : clock_(SteadyMilliseconds) {}
  explicit DriveKinds(Clock clock) : clock_(std::move(clock)) {}

  // "c" and "C" are the same drive.
  DriveKind Of(char letter, FileOps& files) {
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    const uint64_t now = clock_();
    auto known = known_.find(letter);
    if (known == known_.end() || now - known->second.asked >= kKeptMs)
      known = known_.insert_or_assign(letter, Known{files.DriveKindOf(letter), now}).first;
    return known->second.kind;
  }
  void Forget() { known_.clear(); }

 private:
  struct Known {
    DriveKind kind;
    uint64_t asked;
  };
  static uint64_t SteadyMilliseconds() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  }

  Clock clock_;
  std::map<char, Known> known_;
};
