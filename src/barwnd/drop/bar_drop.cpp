#include "barwnd/drop/bar_drop.h"

#include <algorithm>

#include "db/cdb.h"

namespace {

// The rectangle seen along the bar: `lead` and `trail` along it, `low` and
// `high` across it.
struct Span {
  int lead, trail, low, high;
};

Span SpanOf(const Rect& r, bool vertical) {
  return vertical ? Span{r.top, r.bottom, r.left, r.right} : Span{r.left, r.right, r.top, r.bottom};
}

// A thin line across the bar at `along`, as wide as the items beside it.
Rect MarkerAt(int along, int low, int high, bool vertical) {
  const int from = along - kDropMarkerThickness / 2;
  const int to = from + kDropMarkerThickness;
  return vertical ? Rect{low, from, high, to} : Rect{from, low, to, high};
}

}  // namespace

std::vector<DropItemPlace> ItemsAlongTheBar(const DropLayout& layout) {
  const std::vector<DropItemPlace>& items = layout.items;
  std::vector<DropItemPlace> placed = items;
  if (!layout.vertical) return placed;
  for (size_t i = 1; i < placed.size(); ++i) {
    const Rect before = placed[i - 1].rect;
    Rect& r = placed[i].rect;
    if (r.top >= before.bottom) continue;
    const int next = i + 1 < items.size() ? std::max(items[i + 1].rect.top, before.bottom) : before.bottom + r.Width();
    r = {before.left, before.bottom, before.right, next};
  }
  return placed;
}

std::optional<DropSlot> DropSlotAt(const DropLayout& layout, Point point) {
  for (const Rect& r : layout.refused) {
    if (r.Contains(point)) return std::nullopt;
  }
  const bool vertical = layout.vertical;
  if (layout.chevron && layout.chevron->Contains(point)) {
    const Span chevron = SpanOf(*layout.chevron, vertical);
    return DropSlot{layout.count, MarkerAt(chevron.trail, chevron.low, chevron.high, vertical)};
  }
  const int along = vertical ? point.y : point.x;
  const std::vector<DropItemPlace> items = ItemsAlongTheBar(layout);

  if (items.empty()) {
    const Span slot = SpanOf(layout.firstSlot, vertical);
    return DropSlot{layout.count, MarkerAt(slot.lead, slot.low, slot.high, vertical)};
  }
  for (size_t i = 0; i < items.size(); ++i) {
    const Span item = SpanOf(items[i].rect, vertical);
    if (along >= (item.lead + item.trail) / 2) continue;
    if (i == 0) return DropSlot{items[i].position, MarkerAt(item.lead, item.low, item.high, vertical)};
    // Halfway between the two items: a column's control may leave a gap
    // between a row and the separator after it.
    const Span before = SpanOf(items[i - 1].rect, vertical);
    const int gap = (before.trail + item.lead) / 2;
    return DropSlot{items[i].position,
                    MarkerAt(gap, std::min(before.low, item.low), std::max(before.high, item.high), vertical)};
  }
  const Span last = SpanOf(items.back().rect, vertical);
  return DropSlot{layout.firstLeftOff.value_or(layout.count), MarkerAt(last.trail, last.low, last.high, vertical)};
}

int InsertButtonsAt(CDB& db, int32_t bar, int32_t index, const std::vector<ButtonSpec>& buttons) {
  CBar* target = db.Bar(bar);
  if (!target) return 0;
  int added = 0;
  int32_t at = std::clamp(index, 0, target->Count());
  for (ButtonSpec request : buttons) {
    request.Bar = bar;
    const int32_t count = target->Count();
    // The bar puts a new button after the position it is given (-1: at the
    // end); a first place is reached by a swap with the button it landed after.
    request.Position = at >= count ? -1 : std::max(at - 1, 0);
    if (!db.AddButton(request)) break;
    if (at == 0 && count > 0) target->Swap(0, 1);
    ++at;
    ++added;
  }
  return added;
}

DropResult AddDroppedItems(CDB& db, int32_t bar, int32_t index, const std::vector<DroppedItem>& items,
                           DropSystem& system) {
  std::vector<ButtonSpec> buttons;
  DropResult result;
  for (const DroppedItem& item : items) {
    std::optional<DropRefusal> refusal;
    std::optional<ButtonSpec> button = ButtonForDroppedItem(item, system, refusal);
    DropRefusal why;
    if (!button) {
      if (refusal) result.refused.push_back({item.text, *refusal});
    } else if (RefusalForButton(*button, why)) {
      result.refused.push_back({item.text, why});
    } else {
      buttons.push_back(std::move(*button));
    }
  }
  result.added = InsertButtonsAt(db, bar, index, buttons);
  if (result.added > 0) result.saved = db.Save() == 1;
  return result;
}
