// Where things dropped on the bar go: the place between the two toolbar items
// nearest the drop point, the marker that shows it while dragging, and adding
// the new buttons there in the order they came.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "barwnd/drop/bar_drop_items.h"
#include "barwnd/drop/drop_data.h"
#include "db/new_button.h"
#include "platform/geometry.h"

class CDB;

// One item placed on the buttons toolbar, as the drop sees it.
struct DropItemPlace {
  int32_t position = 0;  // the button's (or separator's) position in the bar's list
  Rect rect;             // where it stands, in the bar window's client coordinates
};

struct DropLayout {
  bool vertical = false;              // a left or right bar: the items stand in a column
  std::vector<DropItemPlace> items;   // the placed items in bar order
  Rect firstSlot;                     // where a first button would stand when none is placed
  int32_t count = 0;                  // the bar's buttons, hidden ones included
  std::vector<Rect> refused;          // the clock panel and the bar-switch button
  // While not every item fits: the chevron, where a drop goes to the bar's
  // end, and the place of the first item it stands for, where a drop past
  // the last item on show goes.
  std::optional<Rect> chevron;
  std::optional<int32_t> firstLeftOff;
};

struct DropSlot {
  // Position the first new button takes in the bar's list: 0 before the
  // first button, `count` after the last.
  int32_t index = 0;
  Rect marker;  // the line drawn in the gap, bar client coordinates

  friend bool operator==(const DropSlot&, const DropSlot&) = default;
};

inline constexpr int kDropMarkerThickness = 2;

// The placed items where they show along the bar: in a column a separator is
// the gap below the row before it, as wide as the column (the control itself
// reports it beside that row's button).
std::vector<DropItemPlace> ItemsAlongTheBar(const DropLayout& layout);

// The slot for a drop at `point` (bar client coordinates). The item whose
// middle lies beyond the point along the bar gets the new buttons before it;
// past every middle they go after the last button on show; on the chevron,
// at the bar's end. Nothing over the clock panel or the bar-switch button.
std::optional<DropSlot> DropSlotAt(const DropLayout& layout, Point point);

// Adds `buttons` to bar `bar` so that the first stands at `index` and the rest
// follow in their order (the bar and position of each record are set here).
// Returns how many were added.
int InsertButtonsAt(CDB& db, int32_t bar, int32_t index, const std::vector<ButtonSpec>& buttons);

struct DropResult {
  int added = 0;     // buttons made
  bool saved = false;  // the database file took them (a failed save has shown its message)
  std::vector<RefusedItem> refused;  // items whose button would have lost part of a field
};

// The drop itself: a button for each item that names a target, from `index`
// on in the items' order, then one save. Items that name nothing are left
// out, items whose fields a button cannot hold are refused; with none left
// nothing is saved.
DropResult AddDroppedItems(CDB& db, int32_t bar, int32_t index, const std::vector<DroppedItem>& items,
                           DropSystem& system);
