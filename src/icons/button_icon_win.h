// Icons of bars and buttons: a large and a small icon for an icon path and index.
#pragma once

#include "platform/display_scale.h"

#include <windows.h>

#include <string>

#include "icons/button_icon.h"
#include "platform/handles_win.h"

struct ButtonIcons {
  UniqueIcon Large;  // 32 × 32 at 96 DPI: IconSides::large
  UniqueIcon Small;  // 16 × 16 at 96 DPI: IconSides::small
};

// The two icons for a button's (or bar's) icon file and index; either may be
// empty when nothing can be found. `programFolder` holds the internet-shortcut
// file whose icon marks URL buttons. A URL gets one image in both sizes, as two
// separate handles so each can be destroyed on its own. Only the sizes in
// `sizes` are looked up; the other stays empty. Each icon is found at its
// side of `sides` (the display scale's): a file's icon is the frame that fits
// the side; the shell's icons at a side its own lists lack come from the
// file it names as their location or from its larger lists (see
// icon_sides_win.h). At 16/32 on a 96-DPI system everything is found as the
// system finds its own small and large icons.
ButtonIcons GetButtonIcon(const std::string& path, int index, const std::string& programFolder,
                          IconSizes sizes = IconSizes::kBoth, IconSides sides = {});

// The same lookup, with the sizes it leaves empty filled in by the fallbacks of
// IconFallbacks (the shell's icon for the path, the generic icon of its kind,
// the system's application icon): what the bar draws a button from, so that
// a button whose icon cannot be found is still seen.
ButtonIcons GetButtonIconOrGeneric(const std::string& path, int index, const std::string& programFolder,
                                   IconSizes sizes = IconSizes::kBoth, IconSides sides = {});

// The last two of those fallbacks alone: the generic icon of the path's kind,
// else the system's application icon. Found by the path's name only, so the
// path is never touched (a stand-in for a file on a slow drive).
ButtonIcons GenericIconsOfKind(const std::string& path, IconSizes sizes, IconSides sides = {});
