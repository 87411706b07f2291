// The arithmetic of the owner-drawn popup menu: how big an item is, where its
// icon column, icon square and caption go, the strokes of the check mark and
// how a caption splits at its tab. CMenuXP gathers the system metrics and the
// text extents and draws what these functions place. Every margin is written
// for 96 DPI and scaled to the menu's DisplayScale; `iconSize` is the side of
// the icons the menu draws at that scale (16 at 96 DPI).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/display_scale.h"
#include "platform/geometry.h"

// The menu check-mark size the system reports; the system adds its width to
// every owner-drawn item, so measuring takes it back off.
struct MenuCheckMetrics {
  int width = 0;
  int height = 0;
};

// What the system is told in answer to a measure request.
Size MeasureMenuSeparator(MenuCheckMetrics check);
// `text` is the caption's extent in the bold menu font, on one line.
Size MeasureMenuItem(int iconSize, Size text, MenuCheckMetrics check, DisplayScale scale = {});

// Where the parts of a (non-separator) item of rectangle R go.
struct MenuItemLayout {
  Rect iconColumn;   // the square at R's left, as high as the item
  Rect iconSquare;   // the same square: the icon frame of a checked item
  Rect iconInner;    // the square shrunk by 2 on each side: the check mark
  Rect icon;         // an icon-sized square centred in the inner one
  Rect caption;      // from the square's right + 2 to R's right - icon size
};
MenuItemLayout LayOutMenuItem(const Rect& item, int iconSize, DisplayScale scale = {});

// A separator: its etched line lies along the top of `line` (the lower half of
// the item), and its icon column starts at the item's top-left corner. The
// column is kept inside the item, so it never paints over the next one.
struct MenuSeparatorLayout {
  Rect line;
  Rect iconColumn;
};
MenuSeparatorLayout LayOutMenuSeparator(const Rect& item, int iconSize, DisplayScale scale = {});

// The two-segment strokes of the check mark (an 8 x 8 tick at 96 DPI, three
// strokes thick), one a pixel below the other, centred in `square`.
using CheckMarkStroke = std::array<Point, 3>;
std::vector<CheckMarkStroke> CheckMarkStrokes(const Rect& square, DisplayScale scale = {});

// A caption split at its first tab: `left` is drawn left-aligned; `right`,
// when there is one, right-aligned. A tab as the first character hides the
// whole caption.
struct CaptionParts {
  std::string left;
  std::string right;
  bool hasRight = false;
  friend bool operator==(const CaptionParts&, const CaptionParts&) = default;
};
CaptionParts SplitCaptionAtTab(const std::string& text);
