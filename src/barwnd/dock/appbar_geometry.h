// Rectangles of a bar docked on a screen edge. The shell decides where an
// appbar may go (other appbars push it inwards and shorten it), so the
// rectangle is proposed, put to the shell's query, and then given back its
// thickness from the side that faces the screen edge.
#pragma once

#include <functional>
#include <vector>

#include "platform/display_scale.h"
#include "platform/geometry.h"

// The shell's position query: takes the edge and a proposal, returns the
// proposal as the shell would allow it.
using PositionQuery = std::function<Rect(int edge, const Rect& proposed)>;

// The strip an autohide bar keeps visible when collapsed: one pixel, two on
// the bottom edge, at 96 DPI; scaled at `dpi` (2 and 3 at 144).
int CollapsedThickness(int edge, int dpi = kBaseDpi);

// A strip of the given thickness along the whole edge of the `monitor` the
// bar stands on (in virtual-screen coordinates: a monitor left of or above
// the primary one starts at negative numbers); all zeros for an edge outside
// 0..3.
Rect ProposedRect(int edge, const Rect& monitor, int thickness);

// Keeps the side facing the screen edge as the shell placed it and sets the
// opposite side `thickness` away from it, since the shell may have changed
// both. Unknown edges are returned unchanged.
Rect RestoreThickness(int edge, const Rect& queried, int thickness);

// The full shown bar: proposal, query, thickness restored. No set-position
// request is made here; the caller decides whether to reserve the space.
Rect DockedRect(int edge, const Rect& monitor, int thickness, const PositionQuery& query);

// The collapsed strip of an autohide bar, computed the same way.
Rect CollapsedRect(int edge, const Rect& monitor, const PositionQuery& query, int dpi = kBaseDpi);

// An autohide bar collapses only when the mouse is farther from it than twice
// the double-click size, so a shaky hand at the bar's border does not hide it.
Rect HoverRect(const Rect& window, Size doubleClick);
bool MouseLeftBar(Point mouse, const Rect& window, Size doubleClick);

// What the bar knows of the window in front when it starts.
struct ForegroundFacts {
  Rect rect;
  bool visible = false;
  bool minimized = false;
  // A maximised window with a caption is an ordinary window that fills the work
  // area; its frame may still reach past the screen's sides.
  bool maximizedWithCaption = false;
  // The desktop, the shell's own window, or a window of this program.
  bool shellOrOwn = false;
};

// A full-screen application (video, game, slide show): a shown window that
// covers the whole `monitor` and is none of the above.
bool IsFullScreenWindow(const ForegroundFacts& window, const Rect& monitor);

// Where a full-screen application in front stands: on the bar's monitor (the
// bar goes below it), only on other monitors (the bar stays as it is), or
// nowhere (a window that covers no monitor whole).
enum class FullScreenPlace { kNone, kBarMonitor, kOtherMonitor };
FullScreenPlace WhereFullScreen(const ForegroundFacts& window, const Rect& barMonitor,
                                const std::vector<Rect>& monitors);
