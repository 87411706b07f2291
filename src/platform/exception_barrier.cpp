#include "platform/exception_barrier.h"

#include <atomic>
#include <mutex>

namespace {

std::mutex& ReporterLock() {
  static std::mutex lock;
  return lock;
}

CaughtReporter& Reporter() {
  static CaughtReporter reporter;
  return reporter;
}

std::atomic<int> caught{0};

}  // namespace

void SetCaughtReporter(CaughtReporter reporter) {
  std::lock_guard<std::mutex> hold(ReporterLock());
  Reporter() = std::move(reporter);
}

int CaughtCount() { return caught.load(); }

void NoteCaught(const char* where, const char* what) noexcept {
  // Only the first catch is shown: a fault repeated on every paint must not
  // bury the user under boxes.
  if (caught.fetch_add(1) != 0) return;
  try {
    CaughtReporter reporter;
    {
      std::lock_guard<std::mutex> hold(ReporterLock());
      reporter = Reporter();
    }
    if (reporter) reporter(where ? where : "", what ? what : "");
  } catch (...) {
    // Reporting must never throw out of a barrier.
  }
}
