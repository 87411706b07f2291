// While a preset bar's items are read: the hourglass over the manager, and
// the question asked before many buttons are made.
#pragma once

#include <windows.h>

#include "editing/presets/preset_builders.h"

class PresetReading {
 public:
  explicit PresetReading(HWND owner);
  ~PresetReading();
  PresetReading(const PresetReading&) = delete;
  PresetReading& operator=(const PresetReading&) = delete;

  // The question about many items as a Yes/No box over the owner; the arrow
  // shows while it is open and the hourglass again after a Yes.
  ManyItemsQuestion Question();

 private:
  HWND owner_;
  HCURSOR previous_;
};
