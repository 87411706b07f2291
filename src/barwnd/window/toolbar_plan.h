// The items of the buttons toolbar, worked out from the displayed bar's buttons
// before any toolbar control exists: which buttons are placed, their image
// numbers, the wrap marks that make a left or right bar a column, and each
// item's rectangle inside the toolbar (used for the tooltip tools). The plan
// keeps its own copy of each button's caption: whatever reads it later (the
// tips, the keyboard's digits) never goes back to a model that may have
// changed since the toolbar was built (the buttons manager edits it live).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/display_scale.h"
#include "platform/geometry.h"

// The toolbar control's image number for a button drawn without an image.
inline constexpr int kNoImage = -2;

// What the plan needs to know of one button of the bar, in bar order.
struct BarButtonEntry {
  bool separator = false;
  bool available = true;
  int commandId = 0;
  // The button's place in the image list the bar draws from; -1 when its icon
  // could not be found or appended.
  int imageIndex = -1;
  std::string name{};  // the caption its tip shows
};

struct ToolbarItem {
  std::size_t source = 0;  // index of the button in the bar's list
  bool separator = false;
  int commandId = 0;       // 0 for separators
  // Position in the image list the bar draws from, as the button's icon landed
  // there. A button without an icon has kNoImage, so it is drawn empty instead
  // of taking a neighbour's picture. -1 for separators.
  int imageIndex = -1;
  bool wrap = false;       // the toolbar's wrap state for this item
  Rect rect;               // the item's place in toolbar client coordinates
  std::string name;        // the button's caption when planned; empty for separators
};

struct ToolbarPlan {
  std::vector<ToolbarItem> items;
  Size size;  // sum of the items along the bar, one button across; empty without items
};

// Unavailable buttons are left off the bar without leaving a gap. Separators
// take 12 pixels along the bar at 96 DPI, scaled at `dpi` (`button` is
// already the size at that DPI). On left and right edges every item wraps except
// one followed by a separator: a wrapping separator is drawn as a gap between
// rows, so the item before it must stay on its row.
ToolbarPlan PlanToolbar(const std::vector<BarButtonEntry>& buttons, int edge, Size button, int dpi = kBaseDpi);
