// The chevron's menu: the buttons the bar has no room for, in bar order, each
// with its icon and name, and where the menu opens beside the chevron.
#pragma once

#include <vector>

#include "barwnd/menus/bar_menu_model.h"
#include "barwnd/window/toolbar_overflow.h"
#include "platform/geometry.h"

// Each button becomes an entry with its own launch command and icon; a
// separator between two buttons becomes a menu separator (none at either end,
// never two in a row).
BarMenuPopup OverflowMenuModel(const std::vector<OverflowItem>& items);

// The menu's corner at `at`: its right side there when `alignRight`, its
// bottom when `alignBottom`.
struct MenuAnchor {
  Point at;
  bool alignRight = false;
  bool alignBottom = false;
  friend bool operator==(const MenuAnchor&, const MenuAnchor&) = default;
};

// The menu opens from the chevron (screen coordinates) into the screen, away
// from the edge the bar is docked on, flush with the chevron's far side.
MenuAnchor OverflowMenuAnchor(int edge, const Rect& chevron);
