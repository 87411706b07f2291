#include "barwnd/window/logo_layout.h"

#include "barwnd/dock/screen_edge.h"

namespace {

// Gap between the logo and the clock panel it stands before, at 96 DPI.
constexpr int kGapBeforePanel = 15;

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
