#include "editing/browse/places_bar_win.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/registry_win.h"

NamedPlacesHold::NamedPlacesHold(const std::string& programKey) : name_("Orvantis.Quickrail places " + programKey) {
  // A backslash would name a namespace.
  std::replace(name_.begin(), name_.end(), '\\', '/');
}

bool NamedPlacesHold::Take() {
  if (handle_) return true;
  UniqueKernelHandle created(::CreateMutexA(nullptr, FALSE, name_.c_str()));
  const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
  // Made by someone else first: another holder keeps it.
  if (!created || existed) return false;
  handle_ = std::move(created);
  return true;
}

bool RestorePlacesLeftByEarlierRun(const std::string& programKey) {
  WinRegistry registry;
  NamedPlacesHold hold(programKey);
  return PlacesBarPolicy(registry, hold, programKey).RecoverLeftCopy();
}
