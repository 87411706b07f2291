#include "barwnd/dock/slide.h"

#include "barwnd/dock/appbar_geometry.h"
#include "barwnd/dock/screen_edge.h"

uint32_t SlideDuration(bool smoothly) { return smoothly ? kSlideMilliseconds : 0; }

Rect SlideTarget(int edge, bool show, const Rect& start, const Rect& docked, int dpi) {
  Rect g = start;
  const int strip = CollapsedThickness(edge, dpi);
  switch (edge) {
    case kEdgeLeft:
      g.right = show ? docked.right : docked.left + strip;
      break;
    case kEdgeTop:
      g.bottom = show ? docked.bottom : docked.top + strip;
      break;
    case kEdgeRight:
      g.left = show ? docked.left : docked.right - strip;
      break;
    case kEdgeBottom:
      g.top = show ? docked.top : docked.bottom - strip;
      break;
    default:
      break;
  }
  return g;
}

Rect SlideFrame(const Rect& start, const Rect& target, uint32_t elapsed) {
  // 64-bit products: a full-screen difference times 200 fits in 32 bits, but
  // nothing here should depend on the screen staying small.
  const int64_t t = elapsed;
  const int64_t d = kSlideMilliseconds;
  auto step = [&](int from, int to) { return static_cast<int>(from - (int64_t{from} - to) * t / d); };
  const int left = step(start.left, target.left);
  const int top = step(start.top, target.top);
  const int width = step(start.Width(), target.Width());
  const int height = step(start.Height(), target.Height());
  return {left, top, left + width, top + height};
}

void PlaySlide(const Rect& start, const Rect& target, uint32_t duration, const std::function<uint32_t()>& tickCount,
               const std::function<void(const Rect&)>& showFrame) {
  const uint32_t t0 = tickCount();
  for (uint32_t elapsed = tickCount() - t0; elapsed < duration; elapsed = tickCount() - t0) {
    showFrame(SlideFrame(start, target, elapsed));
  }
}
