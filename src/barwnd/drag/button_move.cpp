#include "barwnd/drag/button_move.h"

#include <cstdlib>
#include <memory>

#include "db/cdb.h"

std::optional<DropItemPlace> ItemAt(const DropLayout& layout, Point point) {
  for (const DropItemPlace& item : ItemsAlongTheBar(layout)) {
    if (item.rect.Contains(point)) return item;
  }
  return std::nullopt;
}

bool PastDragDistance(Point pressed, Point now, Size distance) {
  return std::abs(now.x - pressed.x) > distance.cx || std::abs(now.y - pressed.y) > distance.cy;
}

std::optional<int32_t> MovedPosition(int32_t from, int32_t slot, int32_t count) {
  if (from < 0 || from >= count || slot < 0 || slot > count) return std::nullopt;
  if (slot == from || slot == from + 1) return std::nullopt;
  // Taken out first, the items after it move up by one.
  return slot > from ? slot - 1 : slot;
}

bool MoveToSlot(CBar& bar, int32_t from, int32_t slot) {
  const std::optional<int32_t> to = MovedPosition(from, slot, bar.Count());
  if (!to) return false;
  // Neighbour by neighbour: the items in between keep their order.
  const int32_t step = *to > from ? 1 : -1;
  for (int32_t at = from; at != *to; at += step) bar.Swap(at, at + step);
  return true;
}

bool MoveToBarEnd(CDB& db, int32_t fromBar, int32_t from, int32_t toBar) {
  CBar* source = db.Bar(fromBar);
  CBar* target = db.Bar(toBar);
  if (!source || !target || !source->At(from)) return false;
  if (source == target) return MoveToSlot(*source, from, source->Count());
  auto moved = std::make_unique<CD>(*source->At(from));
  if (!target->Insert(std::move(moved), -1)) return false;
  source->Remove(from);
  return true;
}
