// The view values the bar window keeps live while it exists; the settings
// writer takes them from here.
#pragma once

#include <functional>

#include "app/settings.h"

struct LiveValues {
  bool hasWindow = false;
  LiveViewValues view{};
  int displayedBar = 0;
};

// The bar window installs its source while it exists and removes it (null) at the end.
void SetLiveValuesSource(std::function<LiveValues()> source);
LiveValues CurrentLiveValues();
