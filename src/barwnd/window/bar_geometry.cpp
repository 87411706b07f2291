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

Size IconSize(bool largeIcons, int dpi) {
  const IconSides sides = IconSidesAt(dpi);
  const int side = largeIcons ? sides.large : sides.small;
  return {side, side};
}

Size ToolbarButtonSize(Size icon, int dpi) { return {icon.cx + ScalePx(7, dpi), icon.cy + ScalePx(6, dpi)}; }

int BarThickness(int edge, Size icon, Size panel, Size dialogFrame, int dpi) {
  const Size button = ToolbarButtonSize(icon, dpi);
  const int margin = ScalePx(4, dpi);
  switch (edge) {
    case kEdgeLeft:
    case kEdgeRight:
      return std::max(button.cx, panel.cx) + 2 * dialogFrame.cx + margin;
    case kEdgeTop:
    case kEdgeBottom:
      return std::max(button.cy, panel.cy) + 2 * dialogFrame.cy + margin;
    default:
      return margin;
  }
}

ChildLayout LayOutChildren(const ChildLayoutInput& in) {
  const bool vertical = IsLeftOrRightEdge(in.edge);
  const int frameAlong = vertical ? in.dialogFrame.cy : in.dialogFrame.cx;
  const Size panel = in.panel.value_or(Size{});
  const int panelAlong = AlongOf(vertical, panel);
  const int buttonAcross = AcrossOf(vertical, in.button);

  const int margin = ScalePx(2, in.dpi);
  const int gap = ChildGapAt(in.dpi);

  ChildLayout out;
  if (in.panel) {
    const int across = std::abs(in.thickness - AcrossOf(vertical, panel)) / 2;
    const int along = in.posLeft ? margin : in.windowLength - 2 * frameAlong - panelAlong - margin;
    out.panel = PlaceAlong(vertical, along, across, panel);
  }

  const int switchAlong = in.posLeft ? panelAlong + margin + gap : margin;
  const int buttonRowAcross = (in.thickness - buttonAcross) / 2;
  out.switchButton = PlaceAlong(vertical, switchAlong, buttonRowAcross, in.button);

  const int toolbarAlong = switchAlong + AlongOf(vertical, in.button) + gap;
  out.toolbar = PlaceAlong(vertical, toolbarAlong, buttonRowAcross, in.toolbar);
  return out;
}

Rect ThickenLine(const Rect& line, int dpi) {
  const bool across = line.Width() <= line.Height();  // a vertical line: thin along x
  const int from = across ? line.left : line.top;
  const int thin = across ? line.Width() : line.Height();
  const int thick = ScalePx(thin, dpi);
  // Halves of the added thickness on each side, the odd pixel after the line.
  const int start = from - (thick - thin) / 2;
  return across ? Rect{start, line.top, start + thick, line.bottom} : Rect{line.left, start, line.right, start + thick};
}
