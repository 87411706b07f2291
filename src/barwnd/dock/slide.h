// The slide of an autohide bar between its collapsed strip and its full size.
// Frames are driven by the millisecond tick count, so the slide lasts the same
// time on slow and fast machines; how many frames are shown depends on how fast
// the window moves.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/display_scale.h"
#include "platform/geometry.h"

inline constexpr uint32_t kSlideMilliseconds = 200;

// 200 ms when the "Smoothly" setting is on; 0 makes the slide a single step.
uint32_t SlideDuration(bool smoothly);

// Where a slide ends: `start` with only the side away from the edge moved.
// Showing takes that side from the docked rectangle; collapsing leaves a strip
// of one pixel (two on the bottom edge; both scaled at `dpi`) on the docked
// rectangle's screen side. Unknown edges give `start`.
Rect SlideTarget(int edge, bool show, const Rect& start, const Rect& docked, int dpi = kBaseDpi);

// The frame `elapsed` ms into the slide. Position and size move linearly and
// in whole pixels (product before division), so elapsed 0 gives `start` and
// elapsed 200 gives `target`.
Rect SlideFrame(const Rect& start, const Rect& target, uint32_t elapsed);

// Shows frames until `duration` ms have passed since the first tick read. It
// runs without processing messages; the caller places the final rectangle.
// Elapsed time is taken as an unsigned difference, so the slide also ends when
// the tick count wraps around during it.
void PlaySlide(const Rect& start, const Rect& target, uint32_t duration, const std::function<uint32_t()>& tickCount,
               const std::function<void(const Rect&)>& showFrame);
