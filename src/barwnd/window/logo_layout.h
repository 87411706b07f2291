// Where the two lines of the maker's logo are drawn on the bar's background.
// The text stands at the far end of the bar, away from the buttons: at the
// window's end when the clock panel sits at the near end, before the panel
// otherwise. On left and right edges the fonts are turned by 90 degrees, so a
// line drawn at (x, y) runs upwards from y.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/display_scale.h"
#include "platform/geometry.h"

struct LogoInput {
  int edge = 1;
  bool posLeft = true;
  Size window;                      // the window's size; its right and bottom edges in client coordinates
  Size dialogFrame;                 // system dialog-frame width and height
  Size line1;                       // extent of line 1 in its own (unturned) font
  Size line2;                       // extent of line 2 in its own (unturned) font
  int line1HeightInLine2Font = 0;   // line 2 starts just below (or beside) line 1 by this
  std::optional<Rect> panel;        // the clock panel's rectangle, when it exists
  int dpi = kBaseDpi;               // the bar window's DPI: the gaps scale with it
  Size client;                      // the client area the logo must stay inside
  std::vector<Rect> taken;          // the children on the bar (client coordinates)
};

// The logo's fonts at 96 DPI: line 1 is 12 pixels high and 10 wide (italic),
// line 2 14 high at its natural width; scaled to the bar window's DPI.
struct LogoFontSizes {
  int line1Height, line1Width, line2Height;
};
constexpr LogoFontSizes LogoFontSizesAt(int dpi) { return {ScalePx(12, dpi), ScalePx(10, dpi), ScalePx(14, dpi)}; }

struct LogoPlacement {
  bool rotated = false;  // fonts turned by 90 degrees (escapement and orientation 900)
  Point line1;
  Point line2;
};

// Without a clock panel there is nothing to stand before, so the text goes to
// the window's far end as it does with PosLeft on. On turned edges both lines
// share one y, computed from line 1's height.
LogoPlacement PlaceLogo(const LogoInput& in);

// The logo is drawn only where it fits: both lines inside the client area
// and at least 4 pixels (at 96 DPI) clear of every child of the bar.
bool LogoFits(const LogoInput& in, const LogoPlacement& placed);

// The logo is drawn in the background colour with all 24 colour bits flipped,
// so it stays readable on any background.
constexpr uint32_t LogoTextColor(uint32_t background) { return (background ^ 0x00FFFFFFu) & 0x00FFFFFFu; }
