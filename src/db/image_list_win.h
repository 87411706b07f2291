// The two image lists (16 × 16 and 32 × 32) from which the bar window draws
// the buttons of the shown bar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "platform/handles_win.h"

class CDB;

class ButtonImageLists {
 public:
  ButtonImageLists() = default;
  // Tells the icon cache of the run that the lists go (see ForgetLists).
  ~ButtonImageLists();
  ButtonImageLists(const ButtonImageLists&) = delete;
  ButtonImageLists& operator=(const ButtonImageLists&) = delete;

  // Makes both lists anew and fills them with the icons of the shown buttons
  // of the bar at `ordinal`, setting each one's ImageIndex. With no such bar
  // the lists stay empty. Returns 1; 0 when a list could not be created.
  int Build(CDB& db, int32_t ordinal, bool largeIcons);

  HIMAGELIST Small() const { return small_.Get(); }
  HIMAGELIST Large() const { return large_.Get(); }
  HIMAGELIST ForIconSize(bool largeIcons) const { return largeIcons ? Large() : Small(); }

 private:
  UniqueImageList small_;
  UniqueImageList large_;
};
