// Icons of bars and buttons: a large and a small icon for an icon path and index.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles_win.h"

struct ButtonIcons {
  UniqueIcon Large;  // 32 × 32
  UniqueIcon Small;  // 16 × 16
};

// The two icons for a button's (or bar's) icon file and index; either may be
// empty when nothing can be found. `programFolder` holds the internet-shortcut
// file whose icon marks URL buttons. A URL gets one image in both sizes, as two
// separate handles so each can be destroyed on its own.
ButtonIcons GetButtonIcon(const std::string& path, int index, const std::string& programFolder);
