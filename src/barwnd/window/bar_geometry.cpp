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

namespace {

// Where the children start along the bar.
struct AlongPositions {
  int panel = 0;
  int switchButton = 0;
  int toolbar = 0;
  int farEnd = 0;  // where the toolbar's room ends
};

AlongPositions AlongOfChildren(const ChildLayoutInput& in) {
  const bool vertical = IsLeftOrRightEdge(in.edge);
  const int frameAlong = vertical ? in.dialogFrame.cy : in.dialogFrame.cx;
  const int panelAlong = AlongOf(vertical, in.panel.value_or(Size{}));
  const int margin = ScalePx(2, in.dpi);
  const int gap = ChildGapAt(in.dpi);
  const int clientEnd = in.windowLength - 2 * frameAlong;

  AlongPositions at;
  at.panel = in.posLeft ? margin : clientEnd - panelAlong - margin;
  at.switchButton = in.posLeft ? panelAlong + margin + gap : margin;
  at.toolbar = at.switchButton + AlongOf(vertical, in.button) + gap;
  at.farEnd = (in.panel && !in.posLeft) ? at.panel - gap : clientEnd - margin;
  return at;
}

}  // namespace

ChildLayout LayOutChildren(const ChildLayoutInput& in) {
  const bool vertical = IsLeftOrRightEdge(in.edge);
  const AlongPositions at = AlongOfChildren(in);
  const int buttonRowAcross = (in.thickness - AcrossOf(vertical, in.button)) / 2;

  ChildLayout out;
  if (in.panel) {
    const int across = std::abs(in.thickness - AcrossOf(vertical, *in.panel)) / 2;
    out.panel = PlaceAlong(vertical, at.panel, across, *in.panel);
  }
  out.switchButton = PlaceAlong(vertical, at.switchButton, buttonRowAcross, in.button);
  out.toolbar = PlaceAlong(vertical, at.toolbar, buttonRowAcross, in.toolbar);
  if (in.chevron) {
    const int along = std::max(at.toolbar, at.farEnd - AlongOf(vertical, *in.chevron));
    out.chevron = PlaceAlong(vertical, along, buttonRowAcross, *in.chevron);
  }
  return out;
}

int ToolbarRoom(const ChildLayoutInput& in) {
  const AlongPositions at = AlongOfChildren(in);
  return std::max(0, at.farEnd - at.toolbar);
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
