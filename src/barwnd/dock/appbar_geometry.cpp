#include "barwnd/dock/appbar_geometry.h"

#include "barwnd/dock/screen_edge.h"

int CollapsedThickness(int edge, int dpi) { return ScalePx(edge == kEdgeBottom ? 2 : 1, dpi); }

Rect ProposedRect(int edge, const Rect& m, int thickness) {
  switch (edge) {
    case kEdgeLeft:
      return {m.left, m.top, m.left + thickness, m.bottom};
    case kEdgeTop:
      return {m.left, m.top, m.right, m.top + thickness};
    case kEdgeRight:
      return {m.right - thickness, m.top, m.right, m.bottom};
    case kEdgeBottom:
      return {m.left, m.bottom - thickness, m.right, m.bottom};
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

Rect DockedRect(int edge, const Rect& monitor, int thickness, const PositionQuery& query) {
  return RestoreThickness(edge, query(edge, ProposedRect(edge, monitor, thickness)), thickness);
}

Rect CollapsedRect(int edge, const Rect& monitor, const PositionQuery& query, int dpi) {
  return DockedRect(edge, monitor, CollapsedThickness(edge, dpi), query);
}

Rect HoverRect(const Rect& window, Size doubleClick) {
  return window.Inflated(2 * doubleClick.cx, 2 * doubleClick.cy);
}

bool MouseLeftBar(Point mouse, const Rect& window, Size doubleClick) {
  return !HoverRect(window, doubleClick).Contains(mouse);
}

bool IsFullScreenWindow(const ForegroundFacts& window, const Rect& m) {
  if (!window.visible || window.minimized || window.maximizedWithCaption || window.shellOrOwn) return false;
  const Rect& r = window.rect;
  return r.left <= m.left && r.top <= m.top && r.right >= m.right && r.bottom >= m.bottom;
}

FullScreenPlace WhereFullScreen(const ForegroundFacts& window, const Rect& barMonitor,
                                const std::vector<Rect>& monitors) {
  if (IsFullScreenWindow(window, barMonitor)) return FullScreenPlace::kBarMonitor;
  for (const Rect& monitor : monitors) {
    if (IsFullScreenWindow(window, monitor)) return FullScreenPlace::kOtherMonitor;
  }
  return FullScreenPlace::kNone;
}
