#include "barwnd/appbar_controller.h"

#include "barwnd/appbar_geometry.h"
#include "barwnd/slide.h"

AppBarController::AppBarController(AppBarShell& shell, AppBarWindow& window, const AppBarState& initial)
    : shell_(shell), window_(window), state_(initial) {}

Rect AppBarController::DockedRect() {
  const int edge = state_.edge;
  return ::DockedRect(edge, window_.PrimaryScreenSize(), window_.BarThickness(edge),
                      [this](int e, const Rect& proposed) { return shell_.QueryPos(e, proposed); });
}

Rect AppBarController::CollapsedRect() {
  return ::CollapsedRect(state_.edge, window_.PrimaryScreenSize(),
                         [this](int e, const Rect& proposed) { return shell_.QueryPos(e, proposed); });
}

void AppBarController::PlaceCurrent(Activation activation) { window_.Place(state_.current, Topmost(), activation); }

bool AppBarController::Dock() {
  const int edge = state_.edge;
  if (!shell_.New(edge)) {
    window_.ShowMessage(kMsgAppBarRefused);
    return false;
  }
  Rect placed;
  if (state_.autoHide && shell_.SetAutoHideBar(edge, true)) {
    placed = shell_.SetPos(edge, CollapsedRect());
    window_.StartAutoHideTimer();
    // The window ends on its strip: counting it as shown there would make the
    // first touch of the strip do nothing.
    state_.shown = false;
  } else {
    // Another bar holds this edge's autohide slot: the bar docks normally. The
    // timer may still run from the previous edge and has nothing left to do.
    if (state_.autoHide) {
      state_.autoHide = false;
      window_.StopAutoHideTimer();
    }
    placed = shell_.SetPos(edge, DockedRect());
    state_.shown = true;
  }
  state_.current = placed;
  PlaceCurrent(Activation::kActivate);
  return true;
}

void AppBarController::Undock() {
  shell_.Remove();
  window_.RebuildButtons();
}

bool AppBarController::SetEdge(int edge) {
  state_.edge = edge;
  Undock();
  return Dock();
}

void AppBarController::ToggleAutoHide() {
  const int edge = state_.edge;
  if (state_.autoHide) {
    shell_.SetAutoHideBar(edge, false);
    state_.current = shell_.SetPos(edge, DockedRect());
    window_.StopAutoHideTimer();
    state_.autoHide = false;
    state_.shown = true;
  } else if (shell_.SetAutoHideBar(edge, true)) {
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
  window_.SetTopmost(Topmost());
}

void AppBarController::Slide(bool show) {
  if (state_.shown == show || !state_.autoHide || state_.dialogOpen) return;
  const Rect start = window_.ScreenRect();
  const Rect docked = DockedRect();
  const Rect target = SlideTarget(state_.edge, show, start, docked);
  PlaySlide(
      start, target, SlideDuration(window_.Smoothly()), [this] { return window_.TickCount(); },
      [this](const Rect& frame) {
        state_.current = frame;
        PlaceCurrent(Activation::kNoActivate);
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

void AppBarController::OnShellNotify(int code) {
  if (code != kAppBarNotifyPosChanged) return;
  // A collapsed autohide bar stays on its strip: taking the full rectangle
  // here would leave it out, covering other windows, until it is touched.
  state_.current = state_.autoHide && !state_.shown ? CollapsedRect() : DockedRect();
  PlaceCurrent(Activation::kNoActivate);
}

void AppBarController::OnSize() { PlaceCurrent(Activation::kNoActivate); }
