// Docking and autohide of the bar window: the appbar conversation with the
// shell, the autohide slide and the z-order rule, kept apart from Windows so
// that every sequence, refusals included, runs against doubles on the host.
// The bar window forwards its commands, timer ticks and notifications here and
// reads the live edge / autohide / always-on-top values back for the settings.
#pragma once

#include "barwnd/dock/appbar_shell.h"
#include "barwnd/dock/screen_edge.h"
#include "platform/geometry.h"
#include "core/message_ids.h"

// Message numbers of the texts shown by docking.

// While autohide is on, this timer checks whether the mouse has left the bar.
inline constexpr int kAutoHideTimerId = 1003;
inline constexpr int kAutoHideCheckMilliseconds = 300;

// The shell's notification codes (ABN_POSCHANGED, ABN_FULLSCREENAPP).
inline constexpr int kAppBarNotifyPosChanged = 1;
inline constexpr int kAppBarNotifyFullScreenApp = 2;

struct AppBarState {
  int edge = kEdgeTop;
  bool alwaysOnTop = false;
  bool autoHide = false;     // the window is the autohide bar of its edge
  bool shown = true;         // fully out; false while collapsed to its strip
  bool dialogOpen = false;   // a dialog or menu of the bar is open: never collapse
  bool fullScreen = false;   // a full-screen application is in front: keep below it
  bool registered = false;   // between an accepted new-appbar request and the removal
  bool waiting = false;      // the shell refused the dock: it is tried again when the shell changes
  bool ending = false;       // the session ends: nothing docks any more
  Rect current;              // where the window was last placed
  MonitorInfo monitor;       // the monitor the bar docked on last
};

class AppBarController {
 public:
  AppBarController(AppBarShell& shell, AppBarWindow& window, const AppBarState& initial);

  const AppBarState& State() const { return state_; }

  // An autohide bar must stay above the windows it slides over.
  bool Topmost() const { return state_.alwaysOnTop || state_.autoHide; }
  // Below everything while a full-screen application is in front, else by Topmost.
  ZOrder CurrentZOrder() const;

  // Registers with the shell and reserves the edge, without activating the
  // window (an open options sheet keeps the focus). Returns false when the
  // shell refuses the new appbar (message 51 has been shown and the window is
  // left where it is); the bar window's initialisation stops there. A refused
  // autohide slot turns autohide off without a message. An autohide bar is
  // left collapsed on its strip and counted as such, so a touch brings it out;
  // while one of the bar's dialogs is open it stays out, so the user sees the
  // change. The first dock also looks whether a full-screen application is in
  // front, since the shell tells only of later changes. A refused bar waits:
  // a new taskbar and display changes try again, without a message.
  bool Dock();
  // Leaves the shell's list of appbars, giving up the autohide slot of the
  // edge first; nothing when the bar is not registered. The settings keep
  // the autohide flag as it is.
  void Release();
  // Release, then the buttons are rebuilt (wrapping depends on the edge).
  void Undock();
  // Moves the bar to another edge: released on the old one, docked on the new.
  bool SetEdge(int edge);
  // Turned on, the bar goes to its strip (collapsed); turned off, it is docked
  // fully out. Refusal to become the edge's autohide bar shows message 50 and
  // leaves the bar docked with its full thickness reserved.
  void ToggleAutoHide();
  void ToggleAlwaysOnTop();

  // Slides out (show) or collapses; nothing while the bar is already so, while
  // autohide is off, or while one of the bar's dialogs is open. Nothing slides
  // out over a full-screen application. Every frame is painted as it is shown.
  void Slide(bool show);

  // The 300 ms check: collapses once the mouse is beyond the hover margin.
  void CheckAutoHide(Point mouse, Size doubleClick);
  // Mouse over the window's client or non-client area.
  void OnMouseMove();
  void OnActivated();
  void OnWindowPosChanged();
  // The registered notification message with its code and parameter.
  // Position changed: the bar asks for its place again, reserves it and goes
  // there (an autohide bar reserves its strip and stays out if it is out).
  // Full-screen application: on, the bar drops to the bottom of the z-order
  // and does not slide out; off, the z-order rule applies again.
  void OnShellNotify(int code, bool flag = false);
  // A size change puts the window back where docking placed it.
  void OnSize();
  // The shell made a new taskbar (it restarted, or it came up after the bar):
  // what the old one said of a full-screen application is forgotten (the new
  // one tells again), a registered bar joins the new list where it was, and a
  // waiting bar tries again. True when the bar is docked now and was not.
  bool OnTaskbarCreated();
  // The screens or the work area changed: a docked bar takes its place on
  // the screen as it is now. When the bar's monitor is another one now (the
  // chosen one went, or came back), the bar leaves the old one and docks on
  // the new one. A waiting bar tries again. True as above.
  bool OnDisplayChanged();
  // Windows ends the session (true) or another program cancelled the logoff
  // (false). Only a session that really ends releases the bar, and after that
  // nothing docks again; a cancelled one leaves it docked throughout, so that
  // maximised windows are not resized twice. True when the ending steps run.
  bool OnEndSession(bool ending);
  void SetDialogOpen(bool open) { state_.dialogOpen = open; }

  Rect DockedRect();
  Rect CollapsedRect();

 private:
  void PlaceCurrent(Activation activation);
  bool DockOrWait(bool tell);
  void TakeEdge();
  bool Retry();
  void OnPositionChanged();
  void OnFullScreenApp(bool inFront);
  bool MonitorChanged();

  AppBarShell& shell_;
  AppBarWindow& window_;
  AppBarState state_;
  bool dockedBefore_ = false;
};
