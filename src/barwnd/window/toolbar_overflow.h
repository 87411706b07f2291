// When the buttons of the shown bar do not all fit between the bar-switch
// button and the bar's far end: which toolbar items stay on the bar, and the
// chevron at the far end that offers the rest in a menu.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/display_scale.h"
#include "platform/geometry.h"

struct ToolbarPlan;

// Where one toolbar item stands along the bar, measured from the toolbar's
// start (x on top and bottom bars, y on left and right bars).
struct ItemSpan {
  int lead = 0;
  int trail = 0;
  bool separator = false;
};

struct ToolbarFit {
  std::size_t shown = 0;  // the first `shown` items stand on the bar
  bool chevron = false;   // items after them are reached through the chevron
  int length = 0;         // the toolbar's length along the bar: its last shown item's far side
};

// An item of the buttons toolbar that is left off the bar.
struct OverflowItem {
  bool separator = false;
  int commandId = 0;  // the button's launch command; 0 for separators
  int position = 0;   // the item's place in the displayed bar's list
  std::string name;
};

// The chevron's length along the bar: at least 14 pixels at 96 DPI, or half
// a button when buttons are large. `button` is the toolbar button's size.
int ChevronLength(Size button, bool vertical, int dpi = kBaseDpi);

// Everything fits when the last item ends within `room`; otherwise the items
// that end before the chevron (which takes `chevronLength` at the room's far
// end) stay, without separators at their end.
ToolbarFit FitToolbar(const std::vector<ItemSpan>& items, int room, int chevronLength);

// The items' spans as the plan places them.
std::vector<ItemSpan> SpansOf(const ToolbarPlan& plan, bool vertical);
