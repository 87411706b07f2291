#include "barwnd/window/toolbar_plan.h"

#include "barwnd/window/bar_geometry.h"
#include "barwnd/dock/screen_edge.h"

ToolbarPlan PlanToolbar(const std::vector<BarButtonEntry>& buttons, int edge, Size button, int dpi) {
  const bool vertical = IsLeftOrRightEdge(edge);
  const int buttonAlong = vertical ? button.cy : button.cx;
  const int across = vertical ? button.cx : button.cy;
  const int separator = SeparatorWidthAt(dpi);

  ToolbarPlan plan;
  int along = 0;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const BarButtonEntry& entry = buttons[i];
    if (!entry.available) continue;
    ToolbarItem item;
    item.source = i;
    item.separator = entry.separator;
    const int length = entry.separator ? separator : buttonAlong;
    if (!entry.separator) {
      item.commandId = entry.commandId;
      item.imageIndex = entry.imageIndex >= 0 ? entry.imageIndex : kNoImage;
      item.name = entry.name;
    }
    item.rect = vertical ? Rect{0, along, across, along + length} : Rect{along, 0, along + length, across};
    along += length;
    plan.items.push_back(item);
  }

  if (vertical) {
    for (std::size_t i = 0; i < plan.items.size(); ++i) {
      const bool beforeSeparator = i + 1 < plan.items.size() && plan.items[i + 1].separator;
      plan.items[i].wrap = !beforeSeparator;
    }
  }
  if (!plan.items.empty()) plan.size = vertical ? Size{across, along} : Size{along, across};
  return plan;
}
