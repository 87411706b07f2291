#include "barwnd/dock/appbar_geometry.h"

#include "barwnd/dock/screen_edge.h"

int CollapsedThickness(int edge, int dpi) { return ScalePx(edge == kEdgeBottom ? 2 : 1, dpi); }

Rect ProposedRect(int edge, Size screen, int thickness) {
  switch (edge) {
    case kEdgeLeft:
      return {0, 0, thickness, screen.cy};
    case kEdgeTop:
      return {0, 0, screen.cx, thickness};
    case kEdgeRight:
      return {screen.cx - thickness, 0, screen.cx, screen.cy};
    case kEdgeBottom:
      return {0, screen.cy - thickness, screen.cx, screen.cy};
    default:
      return {};
  }
}

Rect RestoreThickness(int edge, const Rect& queried, int thickness) {
  Rect r = queried;
  switch (edge) {
    case kEdgeLeft:
      r.right = r.left + thickness;
      break;
    case kEdgeTop:
      r.bottom = r.top + thickness;
      break;
    case kEdgeRight:
      r.left = r.right - thickness;
      break;
    case kEdgeBottom:
      r.top = r.bottom - thickness;
      break;
    default:
      break;
  }
  return r;
}

Rect DockedRect(int edge, Size screen, int thickness, const PositionQuery& query) {
  return RestoreThickness(edge, query(edge, ProposedRect(edge, screen, thickness)), thickness);
}

Rect CollapsedRect(int edge, Size screen, const PositionQuery& query, int dpi) {
  return DockedRect(edge, screen, CollapsedThickness(edge, dpi), query);
}

Rect HoverRect(const Rect& window, Size doubleClick) {
  return window.Inflated(2 * doubleClick.cx, 2 * doubleClick.cy);
}

bool MouseLeftBar(Point mouse, const Rect& window, Size doubleClick) {
  return !HoverRect(window, doubleClick).Contains(mouse);
}

bool IsFullScreenWindow(const ForegroundFacts& window, Size screen) {
  if (!window.visible || window.minimized || window.maximizedWithCaption || window.shellOrOwn) return false;
  const Rect& r = window.rect;
  return r.left <= 0 && r.top <= 0 && r.right >= screen.cx && r.bottom >= screen.cy;
}
