// The chevron at the bar's far end: a one-button toolbar in the bar's look,
// shown while the buttons toolbar's items do not all fit, with the chevron
// drawn on its face; and what the bar knows of the items it stands for.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "barwnd/dock/screen_edge.h"
#include "barwnd/window/bar_children_win.h"
#include "barwnd/window/bar_commands.h"
#include "barwnd/window/bar_toolbar_win.h"
#include "core/settings.h"
#include "db/cdb.h"
#include "platform/geometry_win.h"

namespace {

// Black on a light bar, white on a dark one.
COLORREF ChevronInk(COLORREF background) {
  const int luminance = (299 * GetRValue(background) + 587 * GetGValue(background) + 114 * GetBValue(background)) / 1000;
  return luminance >= 128 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

// Two arrow heads side by side in the middle of `face`, pointing along the
// bar towards its far end (right on top and bottom bars, down on side bars).
void DrawChevronGlyph(HDC dc, const RECT& face, bool vertical, int dpi, COLORREF ink) {
  const int arm = std::max(2, ScalePx(3, dpi));
  const int step = arm + std::max(1, ScalePx(1, dpi));
  const int cx = (face.left + face.right) / 2;
  const int cy = (face.top + face.bottom) / 2;
  UniquePen pen(::CreatePen(PS_SOLID, std::max(1, ScalePx(1, dpi)), ink));
  SelectScope selected(dc, pen.Get());
  for (int k = 0; k < 2; ++k) {
    const int tip = -(step + arm) / 2 + arm + k * step;  // along, from the middle
    POINT head[3];
    if (vertical) {
      head[0] = {cx - arm, cy + tip - arm};
      head[1] = {cx, cy + tip};
      head[2] = {cx + arm + 1, cy + tip - arm - 1};
    } else {
      head[0] = {cx + tip - arm, cy - arm};
      head[1] = {cx + tip, cy};
      head[2] = {cx + tip - arm - 1, cy + arm + 1};
    }
    ::Polyline(dc, head, 3);
  }
}

}  // namespace

void BarChildren::RebuildChevron() {
  if (chevron_) tooltip_.RemoveTool(chevron_->Hwnd(), kCmdChevron);
  chevron_.reset();
  const bool vertical = IsLeftOrRightEdge(edge_());
  const Size button = ButtonSize();
  const int length = ChevronLength(button, vertical, scale_.dpi);
  const Size size = vertical ? Size{button.cx, length} : Size{length, button.cy};
  // The control wants room for an image; the face is drawn on instead.
  const Size image = {std::max(1, size.cx - ScalePx(7, scale_.dpi)), std::max(1, size.cy - ScalePx(6, scale_.dpi))};
  TBBUTTON face = {};
  face.iBitmap = I_IMAGENONE;
  face.idCommand = kCmdChevron;
  face.fsState = TBSTATE_ENABLED;
  face.fsStyle = TBSTYLE_BUTTON;
  auto chevron = std::make_unique<BarToolbar>();
  if (!chevron->Create(bar_, kChevronToolbarId, LookWith(nullptr, image, size), {face})) return;
  ::ShowWindow(chevron->Hwnd(), SW_HIDE);
  chevron_ = std::move(chevron);
  AddChevronTool();
}

bool BarChildren::ChevronShown() const { return chevron_ && ::IsWindowVisible(chevron_->Hwnd()); }

std::vector<ItemSpan> BarChildren::MeasureSpans() const {
  const bool vertical = IsLeftOrRightEdge(edge_());
  std::vector<ItemSpan> spans = SpansOf(plan_, vertical);
  for (std::size_t i = 0; buttonsToolbar_ && i < spans.size(); ++i) {
    RECT r = {};
    if (!::SendMessageA(buttonsToolbar_->Hwnd(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
    spans[i].lead = vertical ? r.top : r.left;
    spans[i].trail = vertical ? r.bottom : r.right;
  }
  return spans;
}

std::vector<OverflowItem> BarChildren::OverflowItems() const {
  // Named from the plan's own captions: the model may have changed since.
  std::vector<OverflowItem> items;
  if (!buttonsToolbar_) return items;
  for (std::size_t i = fit_.shown; i < plan_.items.size(); ++i) {
    const ToolbarItem& item = plan_.items[i];
    items.push_back({item.separator, item.commandId, static_cast<int>(item.source), item.separator ? "" : item.name});
  }
  return items;
}

LRESULT BarChildren::OnChevronDraw(NMTBCUSTOMDRAW* draw) {
  if (const std::optional<LRESULT> answer = AnswerBeforeItemPostPaint(draw->nmcd)) return *answer;
  RECT face = draw->nmcd.rc;
  // A pressed button's face moves by a pixel, as the toolbar moves images.
  if (draw->nmcd.uItemState & CDIS_SELECTED) ::OffsetRect(&face, 1, 1);
  // The ink stands out from the face as it was drawn: the system's face, the
  // theme's (which shows the bar through it at rest, flat or not) or the bar
  // through a flat button. Unreadable, the face is guessed: a flat button at
  // rest shows the bar; raised, lit or pressed, the face is the system's.
  const COLORREF under = ::GetPixel(draw->nmcd.hdc, (face.left + face.right) / 2, (face.top + face.bottom) / 2);
  const bool systemFace = settings_.FlatButtons == 0 || (draw->nmcd.uItemState & (CDIS_SELECTED | CDIS_HOT));
  const COLORREF ink = under != CLR_INVALID ? ChevronInk(under)
                       : systemFace         ? ::GetSysColor(COLOR_BTNTEXT)
                                            : ChevronInk(static_cast<COLORREF>(settings_.ColorBk));
  DrawChevronGlyph(draw->nmcd.hdc, face, IsLeftOrRightEdge(edge_()), scale_.dpi, ink);
  return CDRF_DODEFAULT;
}

void BarChildren::SetBackground(COLORREF colour) {
  for (BarToolbar* toolbar : {buttonsToolbar_.get(), switchToolbar_.get(), chevron_.get()}) {
    if (toolbar) toolbar->SetBackground(colour);
  }
}

std::vector<Rect> BarChildren::OccupiedRects() const {
  std::vector<Rect> rects;
  for (HWND child : {ClockPanelWindow(), SwitchToolbar(), ButtonsToolbar(), ChevronToolbar()}) {
    if (child && ::IsWindowVisible(child)) rects.push_back(ChildRectOf(child, bar_));
  }
  return rects;
}
