// The two common dialogs the view page opens: the colour chooser and the font
// chooser. An interface, so that tests can answer in their place.
#pragma once

#include <windows.h>

#include "core/settings.h"

class OptionsDialogs {
 public:
  virtual ~OptionsDialogs() = default;
  // The colour dialog with `colour` as its initial colour. True when the user
  // chose one (then in `colour`); false leaves `colour` as it was.
  virtual bool ChooseColor(HWND owner, COLORREF& colour) = 0;
  // The font dialog with screen fonts and effects, started at `font` and
  // `colour`. True when the user confirmed; then `font`, `colour` and the size
  // in tenths of a point hold the choice.
  virtual bool ChooseFont(HWND owner, LOGFONTA& font, COLORREF& colour, int& pointSizeTenths) = 0;
};

// The system's colour and font dialogs.
OptionsDialogs& SystemOptionsDialogs();

