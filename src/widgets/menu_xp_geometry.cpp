#include "widgets/menu_xp_geometry.h"

#include <algorithm>

Size MeasureMenuSeparator(MenuCheckMetrics check) { return {1 - check.width, check.height / 2}; }

Size MeasureMenuItem(int iconSize, Size text, MenuCheckMetrics check) {
  const int width = 2 * iconSize + text.cx + 12;
  const int height = std::max(iconSize + 4, text.cy);
  return {width + 1 - check.width, height};
}

MenuItemLayout LayOutMenuItem(const Rect& item, int iconSize) {
  MenuItemLayout layout;
  const int h = item.Height();
  layout.iconColumn = {item.left, item.top, item.left + h, item.bottom};
  layout.iconSquare = layout.iconColumn;
  layout.iconInner = layout.iconSquare.Inflated(-2, -2);
  layout.caption = {layout.iconSquare.right + 2, item.top, item.right - iconSize, item.bottom};
  return layout;
}

MenuSeparatorLayout LayOutMenuSeparator(const Rect& item, int iconSize) {
  MenuSeparatorLayout layout;
  layout.line = {item.left, item.top + item.Height() / 2, item.right, item.bottom};
  const int side = iconSize + 4;
  layout.iconColumn = {item.left, item.top, std::min(item.left + side, item.right),
                       std::min(item.top + side, item.bottom)};
  return layout;
}

std::array<CheckMarkStroke, 3> CheckMarkStrokes(const Rect& square) {
  const int x0 = square.left + (square.Width() - 8) / 2;
  const int y0 = square.top + (square.Height() - 8) / 2;
  std::array<CheckMarkStroke, 3> strokes;
  for (int i = 0; i < 3; ++i) {
    strokes[i] = {Point{x0, y0 + 3 + i}, Point{x0 + 2, y0 + 5 + i}, Point{x0 + 7, y0 + i}};
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
