// The drawing steps of CMenuXP.
#include "widgets/menu_xp_win.h"

#include "widgets/menu_xp_geometry.h"
#include "platform/geometry_win.h"

namespace {

void Fill(HDC dc, const RECT& rect, COLORREF color) {
  UniqueBrush brush(::CreateSolidBrush(color));
  ::FillRect(dc, &rect, brush.Get());
}

// The icon's shape in one flat colour: where its mask is opaque the colour is
// painted, where it is transparent the background stays.
void DrawSilhouette(HDC dc, HICON icon, int x, int y, int width, int height, COLORREF color) {
  UniqueDC maskDC(::CreateCompatibleDC(dc));
  UniqueBitmap mask(::CreateBitmap(width, height, 1, 1, nullptr));
  if (!maskDC || !mask) return;
  {
    SelectScope selectMask(maskDC.Get(), mask.Get());
    ::DrawIconEx(maskDC.Get(), 0, 0, icon, width, height, 0, nullptr, DI_MASK);
    UniqueBrush brush(::CreateSolidBrush(color));
    SelectScope selectBrush(dc, brush.Get());
    // Mono source: opaque (0) takes the text colour, transparent (1) the background colour.
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    constexpr DWORD kPaintWhereSourceIsBlack = 0x00B8074A;  // (D ^ P) & S ^ P
    ::BitBlt(dc, x, y, width, height, maskDC.Get(), 0, 0, kPaintWhereSourceIsBlack);
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
  }
}

}  // namespace

void CMenuXP::DrawSeparator(HDC dc, const RECT& rect, const MenuItemRecord& record) {
  const int saved = ::SaveDC(dc);
  DrawBackground(dc, rect, false, false);
  const MenuSeparatorLayout layout = LayOutMenuSeparator(ToRect(rect), record.iconSize);
  RECT line = ToRECT(layout.line);
  ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  DrawIconColumn(dc, ToRECT(layout.iconColumn), false, false, false);
  ::RestoreDC(dc, saved);
}

void CMenuXP::DrawCaptionItem(const DRAWITEMSTRUCT& request, const MenuItemRecord& record) {
  HDC dc = request.hDC;
  const int saved = ::SaveDC(dc);
  const bool selected = (request.itemState & ODS_SELECTED) != 0;
  const bool disabled = (request.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
  const bool checked = (request.itemState & ODS_CHECKED) != 0;
  const MenuItemLayout layout = LayOutMenuItem(ToRect(request.rcItem), record.iconSize);

  DrawBackground(dc, request.rcItem, selected, disabled);
  DrawIconColumn(dc, ToRECT(layout.iconColumn), selected, disabled, checked);
  if (record.icon || checked) DrawIconFrame(dc, ToRECT(layout.iconSquare), selected, disabled, checked);
  if (record.icon) {
    DrawIcon(dc, ToRECT(layout.iconInner), record.icon.Get(), selected, disabled, checked);
  } else if (checked) {
    DrawCheckMark(dc, ToRECT(layout.iconInner), selected);
  }
  DrawCaption(dc, ToRECT(layout.caption), record.text, selected, disabled, IsDefaultItem(request));
  ::RestoreDC(dc, saved);
}

void CMenuXP::DrawBackground(HDC dc, const RECT& rect, bool selected, bool disabled) {
  const bool highlighted = selected && !disabled;
  Fill(dc, rect, highlighted ? colors.selection : colors.background);
  if (!highlighted) return;
  SelectScope pen(dc, ::GetStockObject(BLACK_PEN));
  SelectScope brush(dc, ::GetStockObject(HOLLOW_BRUSH));
  ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void CMenuXP::DrawIconColumn(HDC dc, const RECT& rect, bool selected, bool disabled, bool) {
  // A selected item keeps its selection colour under the icon.
  if (!selected || disabled) Fill(dc, rect, colors.iconColumn);
}

void CMenuXP::DrawIconFrame(HDC dc, const RECT& square, bool selected, bool disabled, bool checked) {
  if (selected) return;
  if (checked && !disabled) DrawBackground(dc, square, true, false);
}

void CMenuXP::DrawIcon(HDC dc, const RECT& rect, HICON icon, bool selected, bool disabled, bool checked) {
  const int x = rect.left;
  const int y = rect.top;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (disabled) {
    DrawSilhouette(dc, icon, x + 1, y + 1, width, height, ::GetSysColor(COLOR_3DHILIGHT));
    DrawSilhouette(dc, icon, x, y, width, height, ::GetSysColor(COLOR_3DSHADOW));
  } else if (selected && !checked) {
    // Lifted: the shadow stays where the icon was, the icon moves up and left.
    DrawSilhouette(dc, icon, x + 1, y + 1, width, height, ::GetSysColor(COLOR_3DSHADOW));
    DrawSilhouette(dc, icon, x, y, width, height, ::GetSysColor(COLOR_3DSHADOW));
    ::DrawIconEx(dc, x - 1, y - 1, icon, width, height, 0, nullptr, DI_NORMAL);
  } else {
    ::DrawIconEx(dc, x, y, icon, width, height, 0, nullptr, DI_NORMAL);
  }
}

void CMenuXP::DrawCheckMark(HDC dc, const RECT& rect, bool) {
  SelectScope pen(dc, ::GetStockObject(BLACK_PEN));
  for (const CheckMarkStroke& stroke : CheckMarkStrokes(ToRect(rect))) {
    POINT points[3];
    for (int i = 0; i < 3; ++i) points[i] = {stroke[i].x, stroke[i].y};
    ::Polyline(dc, points, 3);
  }
}

void CMenuXP::DrawCaption(HDC dc, const RECT& rect, const std::string& text, bool selected, bool disabled,
                          bool isDefault) {
  UniqueFont bold;  // made for this call only
  if (isDefault) bold = BoldMenuFont();
  SelectScope font(dc, bold ? bold.Get() : MenuFont());
  ::SetBkMode(dc, TRANSPARENT);
  if (disabled) {
    RECT shadow = rect;
    ::OffsetRect(&shadow, 1, 1);
    DrawTextInColor(dc, shadow, colors.selectedText, text);
    DrawTextInColor(dc, rect, colors.disabledText, text);
  } else {
    DrawTextInColor(dc, rect, selected ? colors.selectedText : colors.text, text);
  }
}

void CMenuXP::DrawTextInColor(HDC dc, const RECT& rect, COLORREF color, const std::string& text) {
  ::SetTextColor(dc, color);
  const CaptionParts parts = SplitCaptionAtTab(text);
  RECT box = rect;
  ::DrawTextA(dc, parts.left.c_str(), -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (parts.hasRight) {
    box = rect;
    ::DrawTextA(dc, parts.right.c_str(), -1, &box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  }
}
