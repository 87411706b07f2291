#include "widgets/menu_xp_geometry.h"

#include <algorithm>

Size MeasureMenuSeparator(MenuCheckMetrics check) { return {1 - check.width, check.height / 2}; }

Size MeasureMenuItem(int iconSize, Size text, MenuCheckMetrics check, DisplayScale scale) {
  const int width = 2 * iconSize + text.cx + scale.Px(12);
  const int height = std::max(iconSize + scale.Px(4), text.cy);
  return {width + 1 - check.width, height};
}

MenuItemLayout LayOutMenuItem(const Rect& item, int iconSize, DisplayScale scale) {
  MenuItemLayout layout;
  const int h = item.Height();
  const int margin = scale.Px(2);
  layout.iconColumn = {item.left, item.top, item.left + h, item.bottom};
  layout.iconSquare = layout.iconColumn;
  layout.iconInner = layout.iconSquare.Inflated(-margin, -margin);
  const Rect& inner = layout.iconInner;
  const int x = inner.left + (inner.Width() - iconSize) / 2;
  const int y = inner.top + (inner.Height() - iconSize) / 2;
  layout.icon = {x, y, x + iconSize, y + iconSize};
  layout.caption = {layout.iconSquare.right + margin, item.top, item.right - iconSize, item.bottom};
  return layout;
}

MenuSeparatorLayout LayOutMenuSeparator(const Rect& item, int iconSize, DisplayScale scale) {
  MenuSeparatorLayout layout;
  layout.line = {item.left, item.top + item.Height() / 2, item.right, item.bottom};
  const int side = iconSize + scale.Px(4);
  layout.iconColumn = {item.left, item.top, std::min(item.left + side, item.right),
                       std::min(item.top + side, item.bottom)};
  return layout;
}

std::vector<CheckMarkStroke> CheckMarkStrokes(const Rect& square, DisplayScale scale) {
  const int side = scale.Px(8);
  const int x0 = square.left + (square.Width() - side) / 2;
  const int y0 = square.top + (square.Height() - side) / 2;
  // Both segments run at 45 degrees: down from (0, start) to the corner, then
  // up to the top row; at 96 DPI (0, 3), (2, 5) and (7, 0).
  const int start = scale.Px(3);
  const Point corner = {scale.Px(2), start + scale.Px(2)};
  const int end = corner.x + corner.y;
  std::vector<CheckMarkStroke> strokes(static_cast<std::size_t>(std::max(1, scale.Px(3))));
  for (int i = 0; i < static_cast<int>(strokes.size()); ++i) {
    strokes[i] = {Point{x0, y0 + start + i}, Point{x0 + corner.x, y0 + corner.y + i}, Point{x0 + end, y0 + i}};
  }
  return strokes;
}

CaptionParts SplitCaptionAtTab(const std::string& text) {
  const std::size_t tab = text.find('\t');
  if (tab == std::string::npos) return {text, "", false};
  // Only a tab after at least one character opens a right-aligned part.
  if (tab == 0) return {"", "", false};
  return {text.substr(0, tab), text.substr(tab + 1), true};
}
