#include "barwnd/dock/appbar_controller.h"

#include "barwnd/dock/appbar_geometry.h"
#include "barwnd/dock/slide.h"

AppBarController::AppBarController(AppBarShell& shell, AppBarWindow& window, const AppBarState& initial)
    : shell_(shell), window_(window), state_(initial) {}

ZOrder AppBarController::CurrentZOrder() const {
  if (state_.fullScreen) return ZOrder::kBottom;
  return Topmost() ? ZOrder::kTopmost : ZOrder::kNormal;
}

Rect AppBarController::DockedRect() {
  const int edge = state_.edge;
  return ::DockedRect(edge, state_.monitor.rect, window_.BarThickness(edge),
                      [this](int e, const Rect& proposed) { return shell_.QueryPos(e, proposed); });
}

Rect AppBarController::CollapsedRect() {
  return ::CollapsedRect(
      state_.edge, state_.monitor.rect,
      [this](int e, const Rect& proposed) { return shell_.QueryPos(e, proposed); }, window_.Dpi());
}

void AppBarController::PlaceCurrent(Activation activation) {
  window_.Place(state_.current, CurrentZOrder(), activation);
}

bool AppBarController::Dock() { return DockOrWait(true); }

bool AppBarController::DockOrWait(bool tell) {
  if (state_.ending) return false;
  state_.monitor = window_.BarMonitor();
  if (!shell_.New(state_.edge)) {
    state_.waiting = true;
    if (tell) window_.ShowMessage(kMsgAppBarRefused);
    return false;
  }
  state_.waiting = false;
  state_.registered = true;
  if (!dockedBefore_) {
    dockedBefore_ = true;
    if (window_.FrontFullScreen(state_.monitor.rect) == FullScreenPlace::kBarMonitor) state_.fullScreen = true;
  }
  TakeEdge();
  PlaceCurrent(Activation::kNoActivate);
  return true;
}

void AppBarController::TakeEdge() {
  const int edge = state_.edge;
  if (state_.autoHide && shell_.SetAutoHideBar(edge, true, state_.monitor)) {
    const Rect strip = shell_.SetPos(edge, CollapsedRect());
    window_.StartAutoHideTimer();
    // Counting the bar as shown on its strip would make the first touch of the
    // strip do nothing. Under one of its own dialogs it stays out instead, and
    // the timer brings it in once the dialog has closed.
    state_.shown = state_.dialogOpen;
    state_.current = state_.shown ? DockedRect() : strip;
  } else {
    // Another bar holds this edge's autohide slot: the bar docks normally. The
    // timer may still run from the previous edge and has nothing left to do.
    if (state_.autoHide) {
      state_.autoHide = false;
      window_.StopAutoHideTimer();
    }
    state_.current = shell_.SetPos(edge, DockedRect());
    state_.shown = true;
  }
}

void AppBarController::Release() {
  state_.waiting = false;
  if (!state_.registered) return;
  // The slot belongs to the edge, not to the registration: kept, it would
  // refuse the edge to every other autohide bar after this one has gone.
  if (state_.autoHide) shell_.SetAutoHideBar(state_.edge, false, state_.monitor);
  shell_.Remove();
  state_.registered = false;
}

void AppBarController::Undock() {
  Release();
  window_.RebuildButtons();
}

bool AppBarController::SetEdge(int edge) {
  Release();
  state_.edge = edge;
  window_.RebuildButtons();
  return Dock();
}

void AppBarController::ToggleAutoHide() {
  const int edge = state_.edge;
  if (state_.autoHide) {
    shell_.SetAutoHideBar(edge, false, state_.monitor);
    state_.current = shell_.SetPos(edge, DockedRect());
    window_.StopAutoHideTimer();
    state_.autoHide = false;
    state_.shown = true;
  } else if (shell_.SetAutoHideBar(edge, true, state_.monitor)) {
    state_.autoHide = true;
    state_.current = shell_.SetPos(edge, CollapsedRect());
    window_.StartAutoHideTimer();
    state_.shown = false;  // on its strip, so that the first touch slides it out
  } else {
    window_.ShowMessage(kMsgAutoHideEdgeTaken);
    state_.current = shell_.SetPos(edge, DockedRect());
  }
  PlaceCurrent(Activation::kActivate);
}

void AppBarController::ToggleAlwaysOnTop() {
  state_.alwaysOnTop = !state_.alwaysOnTop;
  window_.SetZOrder(CurrentZOrder());
}

void AppBarController::Slide(bool show) {
  if (state_.shown == show || !state_.autoHide || state_.dialogOpen) return;
  if (show && state_.fullScreen) return;
  const Rect start = window_.ScreenRect();
  const Rect docked = DockedRect();
  const Rect target = SlideTarget(state_.edge, show, start, docked, window_.Dpi());
  PlaySlide(
      start, target, SlideDuration(window_.Smoothly()), [this] { return window_.TickCount(); },
      [this](const Rect& frame) {
        state_.current = frame;
        PlaceCurrent(Activation::kNoActivate);
        window_.UpdateNow();
      });
  state_.current = show ? docked : target;
  PlaceCurrent(Activation::kNoActivate);
  window_.UpdateNow();
  state_.shown = show;
}

void AppBarController::CheckAutoHide(Point mouse, Size doubleClick) {
  if (MouseLeftBar(mouse, window_.ScreenRect(), doubleClick)) Slide(false);
}

void AppBarController::OnMouseMove() { Slide(true); }

void AppBarController::OnActivated() {
  shell_.Activate();
  if (state_.autoHide) Slide(true);
}

void AppBarController::OnWindowPosChanged() { shell_.WindowPosChanged(); }

void AppBarController::OnShellNotify(int code, bool flag) {
  if (code == kAppBarNotifyPosChanged) {
    OnPositionChanged();
  } else if (code == kAppBarNotifyFullScreenApp) {
    OnFullScreenApp(flag);
  }
}

// Another appbar, the taskbar or the screen changed: the shell only keeps
// what the bar reserves again, so the space is asked for, reserved and taken.
void AppBarController::OnPositionChanged() {
  if (!state_.registered) return;
  const int edge = state_.edge;
  if (state_.autoHide) {
    const Rect strip = shell_.SetPos(edge, CollapsedRect());
    // A bar that is out stays out; its full rectangle moves with the strip.
    state_.current = state_.shown ? DockedRect() : strip;
  } else {
    state_.current = shell_.SetPos(edge, DockedRect());
  }
  PlaceCurrent(Activation::kNoActivate);
}

void AppBarController::OnFullScreenApp(bool inFront) {
  // The shell tells every appbar, whichever monitor the application fills.
  if (inFront && window_.FrontFullScreen(state_.monitor.rect) == FullScreenPlace::kOtherMonitor) return;
  state_.fullScreen = inFront;
  window_.SetZOrder(CurrentZOrder());
}

void AppBarController::OnSize() { PlaceCurrent(Activation::kNoActivate); }

bool AppBarController::Retry() { return state_.waiting && DockOrWait(false); }

bool AppBarController::OnTaskbarCreated() {
  if (state_.ending) return false;
  const bool wasFullScreen = state_.fullScreen;
  state_.fullScreen = false;
  if (state_.registered) {
    // The old shell's list went with it; the removal is harmless to the new one.
    Release();
    DockOrWait(false);
    return false;
  }
  if (Retry()) return true;
  if (wasFullScreen) window_.SetZOrder(CurrentZOrder());
  return false;
}

// A monitor that kept its name is the same monitor, perhaps with another
// resolution or place: the bar stays registered on it and takes its new size.
bool AppBarController::MonitorChanged() {
  const MonitorInfo now = window_.BarMonitor();
  if (now.name != state_.monitor.name) return true;
  state_.monitor = now;
  return false;
}

bool AppBarController::OnDisplayChanged() {
  if (!state_.registered) return Retry();
  if (MonitorChanged()) {
    // The autohide slot and the reserved space belong to the old monitor.
    Release();
    DockOrWait(false);
  } else {
    OnPositionChanged();
  }
  return false;
}

bool AppBarController::OnEndSession(bool ending) {
  if (!ending) return false;
  Release();
  state_.ending = true;
  return true;
}
