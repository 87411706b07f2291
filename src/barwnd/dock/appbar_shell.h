// The two sides the docking logic talks to. AppBarShell is the shell's appbar
// conversation, one call per request; its Windows implementation fills the
// 36-byte appbar record (window handle, the registered notification message,
// the edge, the rectangle, the parameter; everything else zero). AppBarWindow
// is what docking needs of the bar window itself. Host tests replace both.
#pragma once

#include <cstdint>

#include "barwnd/dock/appbar_geometry.h"
#include "platform/display_scale.h"
#include "platform/geometry.h"
#include "platform/monitors.h"

class AppBarShell {
 public:
  virtual ~AppBarShell() = default;
  // ABM_NEW; false when the shell refuses to take the window as an appbar.
  virtual bool New(int edge) = 0;
  // ABM_REMOVE.
  virtual void Remove() = 0;
  // ABM_QUERYPOS: the proposal as the shell allows it.
  virtual Rect QueryPos(int edge, const Rect& proposed) = 0;
  // ABM_SETPOS: reserves the space; returns the rectangle the shell settled on.
  virtual Rect SetPos(int edge, const Rect& proposed) = 0;
  // ABM_SETAUTOHIDEBAR; for a monitor other than the primary one
  // ABM_SETAUTOHIDEBAREX with its rectangle (each monitor has an autohide bar
  // per edge), the classic request where the system does not know that one.
  // False when registering is refused (another window already is the
  // autohide bar of that edge).
  virtual bool SetAutoHideBar(int edge, bool autoHide, const MonitorInfo& monitor) = 0;
  // ABM_GETAUTOHIDEBAR; true when some window is the autohide bar of the edge.
  virtual bool GetAutoHideBar(int edge) = 0;
  // ABM_ACTIVATE.
  virtual void Activate() = 0;
  // ABM_WINDOWPOSCHANGED.
  virtual void WindowPosChanged() = 0;
};

enum class Activation { kActivate, kNoActivate };

// Where the bar stands among the other windows: above them (always on top, or
// an autohide bar that slides over them), among them, or below all of them
// while a full-screen application is in front.
enum class ZOrder { kTopmost, kNormal, kBottom };

class AppBarWindow {
 public:
  virtual ~AppBarWindow() = default;
  // The monitor the bar is to stand on now: the chosen one when it is there,
  // else the primary one. Every rectangle starts from it.
  virtual MonitorInfo BarMonitor() = 0;
  // The shown bar's thickness on that edge (it depends on icons and clock panel).
  virtual int BarThickness(int edge) = 0;
  // The DPI the bar is laid out at; the collapsed strip scales with it.
  virtual int Dpi() { return kBaseDpi; }
  // The window's rectangle on the screen as it is now.
  virtual Rect ScreenRect() = 0;
  // Moves and sizes the window in that z-order. The user's autohide command
  // moves it normally; docking (also from an open options sheet), slides, shell
  // notifications and size changes must not take the focus from the window the
  // user works in.
  virtual void Place(const Rect& rect, ZOrder order, Activation activation) = 0;
  // Changes only the z-order, keeping position and size.
  virtual void SetZOrder(ZOrder order) = 0;
  // Repaints at once: the slide processes no messages, so without this the
  // bar would show nothing new until it ends.
  virtual void UpdateNow() = 0;
  virtual uint32_t TickCount() = 0;
  // The "Smoothly" setting, read at each slide since the options may change it.
  virtual bool Smoothly() = 0;
  virtual void StartAutoHideTimer() = 0;
  virtual void StopAutoHideTimer() = 0;
  // Toolbar wrapping depends on the edge, so buttons are rebuilt after undocking.
  virtual void RebuildButtons() = 0;
  // A modal message box with message `id` of the message-text table.
  virtual void ShowMessage(int id) = 0;
  // Whether the window in front (not one of this program's) covers the whole
  // of the bar's monitor, or of another one, like a full-screen video, game or
  // slide show.
  virtual FullScreenPlace FrontFullScreen(const Rect& barMonitor) = 0;
};
