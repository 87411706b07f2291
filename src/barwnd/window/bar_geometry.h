// Sizes and child positions of the bar window. "Along" is the direction the
// bar runs (x on top and bottom edges, y on left and right edges), "across" the
// other one. All positions are client coordinates of the bar window.
#pragma once

#include <optional>

#include "platform/display_scale.h"
#include "platform/geometry.h"

// Every length here is written for 96 DPI; the functions taking a `dpi` scale
// them to the bar window's DPI (96 gives them as written).
inline constexpr int kSeparatorWidth = 12;

// Gap between the clock panel, the bar-switch button and the buttons toolbar.
inline constexpr int kChildGap = 20;

// The separator's length along the bar and the children's gap at `dpi`.
constexpr int SeparatorWidthAt(int dpi) { return ScalePx(kSeparatorWidth, dpi); }
constexpr int ChildGapAt(int dpi) { return ScalePx(kChildGap, dpi); }

// The clock panel exists only when the block is on and it has something to show.
constexpr bool WantsClockPanel(bool showBlock, bool showDate, bool showTime) {
  return showBlock && (showDate || showTime);
}

// 16 x 16 or 32 x 32 at 96 DPI, as the LargeIcon setting chooses; the icon
// sides of `dpi` otherwise (24 or 48 at 144).
Size IconSize(bool largeIcons, int dpi = kBaseDpi);

// A toolbar button leaves room for its frame around the icon: (W + 7) x (H + 6)
// at 96 DPI, the 7 and 6 scaled at `dpi`.
Size ToolbarButtonSize(Size icon, int dpi = kBaseDpi);

// Thickness of the docked bar across the screen edge: large enough for a
// toolbar button or the clock panel, whichever is bigger, plus the window's
// border. `panel` is the clock panel's size for this edge (empty when there is
// no panel); `dialogFrame` the system's dialog-frame width and height at
// `dpi`, the DPI `icon` and `panel` were measured at. An edge outside 0..3
// gives 4 (scaled).
int BarThickness(int edge, Size icon, Size panel, Size dialogFrame, int dpi = kBaseDpi);

struct ChildLayoutInput {
  int edge = 1;
  int thickness = 0;           // BarThickness for the edge
  int windowLength = 0;        // the window rectangle's length along the bar
  Size dialogFrame;            // system dialog-frame width and height
  bool posLeft = true;         // the clock panel sits at the near end
  std::optional<Size> panel;   // the clock panel's size for the edge, when it exists
  Size button;                 // ToolbarButtonSize; the bar-switch button has the same size
  Size toolbar;                // the buttons toolbar's size on the bar (empty without buttons)
  int dpi = kBaseDpi;          // the bar window's DPI: the margins and gaps scale with it
  std::optional<Size> chevron;  // the overflow chevron's size, when not every button fits
};

struct ChildLayout {
  std::optional<Rect> panel;
  Rect switchButton;
  Rect toolbar;
  std::optional<Rect> chevron;  // at the far end of the toolbar's room
};

// Where the clock panel, the bar-switch button and the buttons toolbar go.
// With PosLeft the panel comes first and the button 20 pixels after it;
// without, the button starts the bar and the panel is flush with the far end.
// The toolbar always follows the bar-switch button by 20 pixels. (Pixels at
// 96 DPI: the 2-pixel margins and the gaps scale with `in.dpi`.)
ChildLayout LayOutChildren(const ChildLayoutInput& in);

// The length along the bar the buttons toolbar and the chevron may take: from
// the toolbar's start to 20 pixels before a clock panel at the far end, or to
// 2 pixels before the window's far border. Never negative.
int ToolbarRoom(const ChildLayoutInput& in);

// A line drawn `ScalePx(thin side, dpi)` thick instead, about the same middle:
// the thin side of `line` is its thickness at 96 DPI (the drop marker).
Rect ThickenLine(const Rect& line, int dpi);
