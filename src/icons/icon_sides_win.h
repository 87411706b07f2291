// Icons at a given side: extracted from a file at exactly that side (the
// frame of a multi-size icon that fits it best), or taken from the shell,
// whose own small and large lists hold only the system's two sides.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles_win.h"

// True when `side` is the system's side for small (SM_CXSMICON) or large
// (SM_CXICON) icons: the shell's own lists and ExtractIconEx give that side.
bool SystemIconSide(int side, bool large);

// The icon at `index` of a program, library or icon file, at `large` and
// `small` pixels (0 for a size not wanted). Each is the icon's frame that
// best fits its side, not another frame stretched: each side is extracted on
// its own.
struct ExtractedPair {
  UniqueIcon large;
  UniqueIcon small;
};
ExtractedPair ExtractIconsAtSides(const char* file, int index, int large, int small);
UniqueIcon ExtractIconAtSide(const char* file, int index, int side);

// The shell's icon of `name` (with SHGFI_USEFILEATTRIBUTES in `flags`: of a
// kind of file or folder, by name and `attributes` alone) at `side`. At the
// system's sides it is the shell's own small or large icon, as ever. At
// another side: the file the shell names as the icon's location, extracted at
// the side; else the image of the shell's lists (large, extra large, jumbo)
// that is the nearest at or above the side; else the system's nearest image.
// The caller's image list brings an icon of another size to the side.
UniqueIcon ShellIconAtSide(const std::string& name, DWORD attributes, UINT flags, int side, bool large);
