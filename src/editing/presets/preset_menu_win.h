// The preset menu of the buttons manager, drawn by CMenuXP.
#pragma once

#include <windows.h>

// Shows the four presets at the manager window's left + 295, top + 62 and
// tracks the left mouse button. The chosen command (preset::kFolder …
// preset::kFavorites), or 0 when the menu closed without a choice.
int ChoosePreset(HWND manager);
