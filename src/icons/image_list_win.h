// The two image lists (small and large icons, 16 and 32 pixels at 96 DPI,
// scaled with the display) from which the bar window draws
// the buttons of the shown bar. With an icon cache (start-up's, handed down
// by the bar window) they draw from it; without one every build asks the
// shell.
#pragma once

#include "platform/display_scale.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "platform/handles_win.h"

class ButtonIconCache;
class CDB;

class ButtonImageLists {
 public:
  // `cache` may be null; it outlives the lists.
  explicit ButtonImageLists(ButtonIconCache* cache) : cache_(cache) {}
  // Tells the icon cache that the lists go (see ForgetLists).
  ~ButtonImageLists();
  ButtonImageLists(const ButtonImageLists&) = delete;
  ButtonImageLists& operator=(const ButtonImageLists&) = delete;

  // Makes both lists anew and fills them with the icons of the shown buttons
  // of the bar at `ordinal`, setting each one's ImageIndex. With no such bar
  // the lists stay empty. `sides` are the icon sides at the bar's display
  // scale. Returns 1; 0 when a list could not be created.
  int Build(CDB& db, int32_t ordinal, bool largeIcons, IconSides sides = {});

  HIMAGELIST Small() const { return small_.Get(); }
  HIMAGELIST Large() const { return large_.Get(); }
  HIMAGELIST ForIconSize(bool largeIcons) const { return largeIcons ? Large() : Small(); }

 private:
  ButtonIconCache* cache_;
  UniqueImageList small_;
  UniqueImageList large_;
};
