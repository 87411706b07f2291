// The places bar on the real per-user registry.
#pragma once

#include <string>

#include "editing/browse/places_bar.h"

// At start-up, before anything opens a file dialog: a copy of the user's
// places left by a run that ended while the buttons manager was open is put
// back. `programKey` is the program's registry key below HKEY_CURRENT_USER.
// True when there was a copy to restore.
bool RestorePlacesLeftByEarlierRun(const std::string& programKey = places::kDefaultProgramKey);
