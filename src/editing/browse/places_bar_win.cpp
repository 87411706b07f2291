#include "editing/browse/places_bar_win.h"

#include "platform/registry_win.h"

bool RestorePlacesLeftByEarlierRun(const std::string& programKey) {
  WinRegistry registry;
  return PlacesBarPolicy(registry, programKey).RecoverLeftCopy();
}
