#include "barwnd/window/bar_geometry.h"

#include <algorithm>
#include <cstdlib>

#include "barwnd/dock/screen_edge.h"

namespace {

// Turns an (along, across) pair into client coordinates for the edge.
Rect PlaceAlong(bool vertical, int along, int across, Size size) {
  return vertical ? Rect::FromOriginSize({across, along}, size)
                  : Rect::FromOriginSize({along, across}, size);
}

int AlongOf(bool vertical, Size s) { return vertical ? s.cy : s.cx; }
int AcrossOf(bool vertical, Size s) { return vertical ? s.cx : s.cy; }

}  // namespace

Size IconSize(bool largeIcons) { return largeIcons ? Size{32, 32} : Size{16, 16}; }

Size ToolbarButtonSize(Size icon) { return {icon.cx + 7, icon.cy + 6}; }

int BarThickness(int edge, Size icon, Size panel, Size dialogFrame) {
  const Size button = ToolbarButtonSize(icon);
  switch (edge) {
    case kEdgeLeft:
    case kEdgeRight:
      return std::max(button.cx, panel.cx) + 2 * dialogFrame.cx + 4;
    case kEdgeTop:
    case kEdgeBottom:
      return std::max(button.cy, panel.cy) + 2 * dialogFrame.cy + 4;
    default:
      return 4;
  }
}

ChildLayout LayOutChildren(const ChildLayoutInput& in) {
  const bool vertical = IsLeftOrRightEdge(in.edge);
  const int frameAlong = vertical ? in.dialogFrame.cy : in.dialogFrame.cx;
  const Size panel = in.panel.value_or(Size{});
  const int panelAlong = AlongOf(vertical, panel);
  const int buttonAcross = AcrossOf(vertical, in.button);

  ChildLayout out;
  if (in.panel) {
    const int across = std::abs(in.thickness - AcrossOf(vertical, panel)) / 2;
    const int along = in.posLeft ? 2 : in.windowLength - 2 * frameAlong - panelAlong - 2;
    out.panel = PlaceAlong(vertical, along, across, panel);
  }

  const int switchAlong = in.posLeft ? panelAlong + 2 + kChildGap : 2;
  const int buttonRowAcross = (in.thickness - buttonAcross) / 2;
  out.switchButton = PlaceAlong(vertical, switchAlong, buttonRowAcross, in.button);

  const int toolbarAlong = switchAlong + AlongOf(vertical, in.button) + kChildGap;
  out.toolbar = PlaceAlong(vertical, toolbarAlong, buttonRowAcross, in.toolbar);
  return out;
}
