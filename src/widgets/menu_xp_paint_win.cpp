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
  const MenuItemLook plain;
  DrawBackground(dc, rect, plain);
  const MenuSeparatorLayout layout = LayOutMenuSeparator(ToRect(rect), record.iconSize, scale_);
  RECT line = ToRECT(layout.line);
  ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  DrawIconColumn(dc, ToRECT(layout.iconColumn), plain);
  ::RestoreDC(dc, saved);
}

void CMenuXP::DrawCaptionItem(const DRAWITEMSTRUCT& request, const MenuItemRecord& record) {
  HDC dc = request.hDC;
  const int saved = ::SaveDC(dc);
  MenuItemLook look;
  look.selected = (request.itemState & ODS_SELECTED) != 0;
  look.disabled = (request.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
  look.checked = (request.itemState & ODS_CHECKED) != 0;
  look.isDefault = IsDefaultItem(request);
  const MenuItemLayout layout = LayOutMenuItem(ToRect(request.rcItem), record.iconSize, scale_);

  DrawBackground(dc, request.rcItem, look);
  DrawIconColumn(dc, ToRECT(layout.iconColumn), look);
  if (record.icon || look.checked) DrawIconFrame(dc, ToRECT(layout.iconSquare), look);
  if (record.icon) {
    DrawIcon(dc, ToRECT(layout.icon), record.icon.Get(), look);
  } else if (look.checked) {
    DrawCheckMark(dc, ToRECT(layout.iconInner), look);
  }
  DrawCaption(dc, ToRECT(layout.caption), record.text, look);
  ::RestoreDC(dc, saved);
}

void CMenuXP::DrawBackground(HDC dc, const RECT& rect, const MenuItemLook& look) {
  const bool highlighted = look.selected && !look.disabled;
  Fill(dc, rect, highlighted ? colors.selection : colors.background);
  if (!highlighted) return;
  SelectScope pen(dc, ::GetStockObject(BLACK_PEN));
  SelectScope brush(dc, ::GetStockObject(HOLLOW_BRUSH));
  ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void CMenuXP::DrawIconColumn(HDC dc, const RECT& rect, const MenuItemLook& look) {
  // A selected item keeps its selection colour under the icon.
  if (!look.selected || look.disabled) Fill(dc, rect, colors.iconColumn);
}

void CMenuXP::DrawIconFrame(HDC dc, const RECT& square, const MenuItemLook& look) {
  if (look.selected) return;
  // A checked item's square is drawn as a selected one's background.
  MenuItemLook highlighted;
  highlighted.selected = true;
  if (look.checked && !look.disabled) DrawBackground(dc, square, highlighted);
}

void CMenuXP::DrawIcon(HDC dc, const RECT& rect, HICON icon, const MenuItemLook& look) {
  const int x = rect.left;
  const int y = rect.top;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int step = scale_.Px(1);
  if (look.disabled) {
    DrawSilhouette(dc, icon, x + step, y + step, width, height, ::GetSysColor(COLOR_3DHILIGHT));
    DrawSilhouette(dc, icon, x, y, width, height, ::GetSysColor(COLOR_3DSHADOW));
  } else if (look.selected && !look.checked) {
    // Lifted: the shadow stays where the icon was, the icon moves up and left.
    DrawSilhouette(dc, icon, x + step, y + step, width, height, ::GetSysColor(COLOR_3DSHADOW));
    DrawSilhouette(dc, icon, x, y, width, height, ::GetSysColor(COLOR_3DSHADOW));
    ::DrawIconEx(dc, x - step, y - step, icon, width, height, 0, nullptr, DI_NORMAL);
  } else {
    ::DrawIconEx(dc, x, y, icon, width, height, 0, nullptr, DI_NORMAL);
  }
}

void CMenuXP::DrawCheckMark(HDC dc, const RECT& rect, const MenuItemLook&) {
  SelectScope pen(dc, ::GetStockObject(BLACK_PEN));
  for (const CheckMarkStroke& stroke : CheckMarkStrokes(ToRect(rect), scale_)) {
    POINT points[3];
    for (int i = 0; i < 3; ++i) points[i] = {stroke[i].x, stroke[i].y};
    ::Polyline(dc, points, 3);
  }
}

void CMenuXP::DrawCaption(HDC dc, const RECT& rect, const std::string& text, const MenuItemLook& look) {
  UniqueFont bold;  // made for this call only
  if (look.isDefault) bold = BoldMenuFont();
  SelectScope font(dc, bold ? bold.Get() : MenuFont());
  ::SetBkMode(dc, TRANSPARENT);
  if (look.disabled) {
    RECT shadow = rect;
    ::OffsetRect(&shadow, scale_.Px(1), scale_.Px(1));
    DrawTextInColor(dc, shadow, colors.selectedText, text);
    DrawTextInColor(dc, rect, colors.disabledText, text);
  } else {
    DrawTextInColor(dc, rect, look.selected ? colors.selectedText : colors.text, text);
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
