#include "app/single_copy.h"

bool HandOver(const HandOverSteps& steps, int patienceMs, int retryMs) {
  const uint32_t start = steps.milliseconds();
  while (!steps.tell()) {
    // Unsigned, the difference is right across the clock's wrap.
    if (static_cast<uint32_t>(steps.milliseconds() - start) >= static_cast<uint32_t>(patienceMs)) return false;
    steps.wait(retryMs);
  }
  return true;
}
