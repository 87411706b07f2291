// The maker's two logo lines on the bar's background.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/geometry.h"

struct LogoContext {
  int edge = 1;
  bool posLeft = true;
  COLORREF background = 0;
  Size window;                 // the bar window's size
  Size client;                 // its client area's size
  std::vector<Rect> taken;     // its children (client coordinates): the logo keeps clear of them
  std::optional<Rect> panel;   // the clock panel's rectangle in client coordinates
  std::string webAddress;      // the second line: the maker's web address
  int dpi = 96;                // the bar window's DPI: the fonts and gaps scale with it
};

// Draws "Orvantis Software" and the maker's web address transparently in the
// inverse of the background colour, turned on left and right edges; nothing
// when the lines do not fit beside the children inside the bar.
void PaintLogo(HDC dc, const LogoContext& context);
