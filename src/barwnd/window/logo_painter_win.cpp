#include "barwnd/window/logo_painter_win.h"

#include <string>

#include "barwnd/window/logo_layout.h"
#include "barwnd/dock/screen_edge.h"
#include "platform/display_scale_win.h"
#include "platform/handles_win.h"

namespace {

constexpr const char* kMakerLine = "Orvantis Software";
constexpr int kTurned = 900;  // tenths of a degree: text runs upwards

UniqueFont LogoFont(int height, int width, bool italic, int turn) {
  return UniqueFont(::CreateFontA(height, width, turn, turn, FW_BOLD, italic ? TRUE : FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                  VARIABLE_PITCH | FF_ROMAN, nullptr));
}

Size Extent(HDC dc, HFONT font, const std::string& text) {
  SelectScope selected(dc, font);
  SIZE size = {};
  ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return {size.cx, size.cy};
}

void DrawLine(HDC dc, HFONT font, Point at, const std::string& text) {
  SelectScope selected(dc, font);
  ::TextOutA(dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

void PaintLogo(HDC dc, const LogoContext& context) {
  const std::string line1 = kMakerLine;
  const std::string& line2 = context.webAddress;
  // Measured upright; the layout turns the positions itself.
  const LogoFontSizes sizes = LogoFontSizesAt(context.dpi);
  UniqueFont measure1 = LogoFont(sizes.line1Height, sizes.line1Width, true, 0);
  UniqueFont measure2 = LogoFont(sizes.line2Height, 0, false, 0);

  LogoInput in;
  in.edge = context.edge;
  in.posLeft = context.posLeft;
  in.window = context.window;
  in.dialogFrame = {MetricAt(SM_CXDLGFRAME, context.dpi), MetricAt(SM_CYDLGFRAME, context.dpi)};
  in.dpi = context.dpi;
  in.line1 = Extent(dc, measure1.Get(), line1);
  in.line2 = Extent(dc, measure2.Get(), line2);
  in.line1HeightInLine2Font = Extent(dc, measure2.Get(), line1).cy;
  in.panel = context.panel;
  in.client = context.client;
  in.taken = context.taken;
  const LogoPlacement placed = PlaceLogo(in);
  if (!LogoFits(in, placed)) return;

  // Upright, the logo is drawn in the fonts it was measured in.
  UniqueFont turned1, turned2;
  if (placed.rotated) {
    turned1 = LogoFont(sizes.line1Height, sizes.line1Width, true, kTurned);
    turned2 = LogoFont(sizes.line2Height, 0, false, kTurned);
  }
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = ::SetTextColor(dc, static_cast<COLORREF>(LogoTextColor(context.background)));
  DrawLine(dc, placed.rotated ? turned1.Get() : measure1.Get(), placed.line1, line1);
  DrawLine(dc, placed.rotated ? turned2.Get() : measure2.Get(), placed.line2, line2);
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
}
