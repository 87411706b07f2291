#include "app/live_values_win.h"

#include <utility>

namespace {
std::function<LiveValues()>& Source() {
  static std::function<LiveValues()> source;
  return source;
}
}  // namespace

void SetLiveValuesSource(std::function<LiveValues()> source) { Source() = std::move(source); }

LiveValues CurrentLiveValues() { return Source() ? Source()() : LiveValues{}; }
