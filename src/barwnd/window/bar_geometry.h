// Sizes and child positions of the bar window. "Along" is the direction the
// bar runs (x on top and bottom edges, y on left and right edges), "across" the
// other one. All positions are client coordinates of the bar window.
#pragma once

#include <optional>

#include "platform/geometry.h"

inline constexpr int kSeparatorWidth = 12;

// Gap between the clock panel, the bar-switch button and the buttons toolbar.
inline constexpr int kChildGap = 20;

// The clock panel exists only when the block is on and it has something to show.
constexpr bool WantsClockPanel(bool showBlock, bool showDate, bool showTime) {
  return showBlock && (showDate || showTime);
}

// 16 x 16 or 32 x 32, as the LargeIcon setting chooses.
Size IconSize(bool largeIcons);

// A toolbar button leaves room for its frame around the icon: (W + 7) x (H + 6).
Size ToolbarButtonSize(Size icon);

// Thickness of the docked bar across the screen edge: large enough for a
// toolbar button or the clock panel, whichever is bigger, plus the window's
// border. `panel` is the clock panel's size for this edge (empty when there is
// no panel); `dialogFrame` the system's dialog-frame width and height.
// An edge outside 0..3 gives 4.
int BarThickness(int edge, Size icon, Size panel, Size dialogFrame);

struct ChildLayoutInput {
  int edge = 1;
  int thickness = 0;           // BarThickness for the edge
  int windowLength = 0;        // the window rectangle's length along the bar
  Size dialogFrame;            // system dialog-frame width and height
  bool posLeft = true;         // the clock panel sits at the near end
  std::optional<Size> panel;   // the clock panel's size for the edge, when it exists
  Size button;                 // ToolbarButtonSize; the bar-switch button has the same size
  Size toolbar;                // the buttons toolbar's whole size (empty without buttons)
};

struct ChildLayout {
  std::optional<Rect> panel;
  Rect switchButton;
  Rect toolbar;
};

// Where the clock panel, the bar-switch button and the buttons toolbar go.
// With PosLeft the panel comes first and the button 20 pixels after it;
// without, the button starts the bar and the panel is flush with the far end.
// The toolbar always follows the bar-switch button by 20 pixels.
ChildLayout LayOutChildren(const ChildLayoutInput& in);
