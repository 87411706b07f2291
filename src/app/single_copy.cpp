#include "app/single_copy.h"

HandOverEnd HandOver(const HandOverSteps& steps, int patienceMs, int retryMs) {
  const uint32_t start = steps.milliseconds();
  for (;;) {
    if (steps.tell()) return HandOverEnd::kHeard;
    if (steps.takeOver && steps.takeOver()) return HandOverEnd::kRunHere;
    // Unsigned, the difference is right across the clock's wrap.
    if (static_cast<uint32_t>(steps.milliseconds() - start) >= static_cast<uint32_t>(patienceMs))
      return HandOverEnd::kGaveUp;
    steps.wait(retryMs);
  }
}
