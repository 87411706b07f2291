// Moving a button of the displayed bar by dragging it: which item the press
// was on, when a press becomes a drag, where the item lands and the move in
// the model. The place it lands is the drop's slot (DropSlotAt): a position
// in the bar's whole list, hidden buttons and those behind the chevron
// counted, so they keep their order around the moved one.
#pragma once

#include <cstdint>
#include <optional>

#include "barwnd/drop/bar_drop.h"
#include "platform/geometry.h"

class CBar;
class CDB;

// The placed item at `point` (bar client coordinates), as it shows along the
// bar, or none.
std::optional<DropItemPlace> ItemAt(const DropLayout& layout, Point point);

// True once the mouse has gone further than `distance` (the system's drag
// width and height) on either side of where the press began.
bool PastDragDistance(Point pressed, Point now, Size distance);

// The position the item at `from` of a list of `count` takes when it is put
// into the gap before the item now at `slot` (`count`: after the last). None
// when that is where it stands already (the gap on either side of it) or when
// either names no place.
std::optional<int32_t> MovedPosition(int32_t from, int32_t slot, int32_t count);

// Moves the item at `from` of `bar` into the gap at `slot`; true when the
// order changed. The command ids follow the new order.
bool MoveToSlot(CBar& bar, int32_t from, int32_t slot);

// Moves the item at `from` of bar `fromBar` to the end of bar `toBar` (of its
// own bar when they are the same); true when something moved.
bool MoveToBarEnd(CDB& db, int32_t fromBar, int32_t from, int32_t toBar);
