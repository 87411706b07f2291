#include "barwnd/window/toolbar_overflow.h"

#include <algorithm>

#include "barwnd/window/toolbar_plan.h"

int ChevronLength(Size button, bool vertical, int dpi) {
  const int along = vertical ? button.cy : button.cx;
  return std::max(ScalePx(14, dpi), along / 2);
}

ToolbarFit FitToolbar(const std::vector<ItemSpan>& items, int room, int chevronLength) {
  ToolbarFit fit;
  if (items.empty()) return fit;
  if (items.back().trail <= room) {
    fit.shown = items.size();
    fit.length = items.back().trail;
    return fit;
  }
  fit.chevron = true;
  const int limit = room - chevronLength;
  while (fit.shown < items.size() && items[fit.shown].trail <= limit) ++fit.shown;
  // A separator at the end of the shown items would only part them from the chevron.
  while (fit.shown > 0 && items[fit.shown - 1].separator) --fit.shown;
  fit.length = fit.shown > 0 ? items[fit.shown - 1].trail : 0;
  return fit;
}

std::vector<ItemSpan> SpansOf(const ToolbarPlan& plan, bool vertical) {
  std::vector<ItemSpan> spans;
  for (const ToolbarItem& item : plan.items) {
    const Rect& r = item.rect;
    spans.push_back(vertical ? ItemSpan{r.top, r.bottom, item.separator} : ItemSpan{r.left, r.right, item.separator});
  }
  return spans;
}
