#include "barwnd/window/logo_layout.h"

#include "barwnd/dock/screen_edge.h"

namespace {

// Gap between the logo and the clock panel it stands before, at 96 DPI.
constexpr int kGapBeforePanel = 15;
// The least room between the logo and any child of the bar, at 96 DPI.
constexpr int kClearance = 4;

// The box a line of `extent` (measured upright) covers from `at`: turned
// text runs upwards from its point, its top towards the left.
Rect LineBox(Point at, Size extent, bool rotated) {
  return rotated ? Rect{at.x, at.y - extent.cx, at.x + extent.cy, at.y}
                 : Rect{at.x, at.y, at.x + extent.cx, at.y + extent.cy};
}

bool Inside(const Rect& box, Size client) {
  return box.left >= 0 && box.top >= 0 && box.right <= client.cx && box.bottom <= client.cy;
}

bool Overlaps(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

LogoPlacement PlaceLogo(const LogoInput& in) {
  LogoPlacement out;
  const int secondLine = in.line1HeightInLine2Font - ScalePx(4, in.dpi);
  const int gapBeforePanel = ScalePx(kGapBeforePanel, in.dpi);
  const bool atWindowEnd = in.posLeft || !in.panel;

  if (IsLeftOrRightEdge(in.edge)) {
    out.rotated = true;
    const int frame = in.dialogFrame.cy;
    const int y = atWindowEnd ? in.window.cy - 4 * frame - in.line1.cy
                              : in.panel->top - gapBeforePanel - frame;
    out.line1 = {0, y};
    out.line2 = {secondLine, y};
    return out;
  }

  const int frame = in.dialogFrame.cx;
  auto lineX = [&](int width) {
    return atWindowEnd ? in.window.cx - 4 * frame - width : in.panel->left - gapBeforePanel - width - frame;
  };
  out.line1 = {lineX(in.line1.cx), 0};
  out.line2 = {lineX(in.line2.cx), secondLine};
  return out;
}

bool LogoFits(const LogoInput& in, const LogoPlacement& placed) {
  const int clear = ScalePx(kClearance, in.dpi);
  const Rect lines[] = {LineBox(placed.line1, in.line1, placed.rotated), LineBox(placed.line2, in.line2, placed.rotated)};
  for (const Rect& box : lines) {
    if (!Inside(box, in.client)) return false;
    const Rect near = box.Inflated(clear, clear);
    for (const Rect& child : in.taken) {
      if (Overlaps(near, child)) return false;
    }
  }
  return true;
}
