#include "barwnd/drag/button_drag_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "barwnd/drag/button_move.h"
#include "barwnd/drop/bar_drop_win.h"
#include "barwnd/window/bar_children_win.h"
#include "barwnd/window/dialog_count.h"
#include "core/settings.h"
#include "db/cdb.h"
#include "platform/display_scale_win.h"
#include "platform/geometry_win.h"

namespace {

Point ScreenPointOf(HWND window, LPARAM lp) {
  POINT p = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  ::ClientToScreen(window, &p);
  return {p.x, p.y};
}

Point ClientPointOf(HWND window, Point screen) {
  POINT p = {screen.x, screen.y};
  ::ScreenToClient(window, &p);
  return {p.x, p.y};
}

Point CursorPoint() {
  POINT p = {};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}

}  // namespace

bool BarButtonDrag::OnToolbarMessage(HWND toolbar, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  result = 0;
  DragSteps::Effects effects;
  Point screen = CursorPoint();
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnPress(toolbar, lp, result);
    case WM_MOUSEMOVE: {
      screen = ScreenPointOf(toolbar, lp);
      const int dpi = parts_.children.Dpi();
      effects = steps_.Move(screen, {MetricAt(SM_CXDRAG, dpi), MetricAt(SM_CYDRAG, dpi)}, OverSwitchButton(screen));
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      screen = ScreenPointOf(toolbar, lp);
      effects = steps_.Up(msg == WM_LBUTTONUP, (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      effects = steps_.CallOff();
      break;
    case WM_KEYDOWN:
      if (wp != VK_ESCAPE) return Dragging();  // no other key acts while dragging
      effects = steps_.CallOff();
      break;
    case WM_GETDLGCODE:
      if (!Dragging()) return false;
      result = DLGC_WANTALLKEYS;  // Escape comes here, not to the bar's dialog handling
      return true;
    case WM_TIMER:
      if (wp != kHoverTimerId) return false;
      effects = steps_.HoverElapsed();
      break;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
    case WM_DESTROY:
      if (!releasing_) Apply(steps_.Lost(), screen);
      return false;  // the control lets go of its own press as well
    default:
      return false;
  }
  Apply(effects, screen);
  // A separator's press was the drag's own: its click gives the mouse back.
  if (msg == WM_LBUTTONUP && pressedSeparator_ && steps_.CurrentPhase() == DragSteps::Phase::kIdle) ReleaseMouse();
  return effects.swallow;
}

void BarButtonDrag::Lost() { Apply(steps_.Lost(), CursorPoint()); }

bool BarButtonDrag::OnPress(HWND toolbar, LPARAM lp, LRESULT& result) {
  // A drag that lost the mouse unnoticed ends before a new press.
  if (steps_.CurrentPhase() != DragSteps::Phase::kIdle && ::GetCapture() != toolbar) Lost();
  if (steps_.CurrentPhase() != DragSteps::Phase::kIdle || pending_ || parts_.dialogOpen() || parts_.drop.Working())
    return false;
  HWND bar = ::GetParent(toolbar);
  CBar* shown = parts_.db.Bar(parts_.displayedBar());
  const Point screen = ScreenPointOf(toolbar, lp);
  const Point client = ClientPointOf(bar, screen);
  if (!shown) return false;
  const std::optional<DropItemPlace> item = ItemAt(parts_.drop.Layout(), client);
  if (!item || !shown->At(item->position)) return false;
  toolbar_ = toolbar;
  bar_ = bar;
  record_ = shown;
  item_ = shown->At(item->position);
  pressedSeparator_ = item_->IsSeparator != 0;
  pressedCommand_ = item_->CommandId;
  itemRect_ = item->rect;
  grip_ = {client.x - item->rect.left, client.y - item->rect.top};
  steps_.Press(item->position, screen);
  // The control presses a button and takes the mouse itself; not a separator.
  if (!pressedSeparator_) return false;
  ::SetCapture(toolbar);
  result = 0;
  return true;
}

void BarButtonDrag::Apply(const DragSteps::Effects& effects, Point screen) {
  if (effects.begin) Begin();
  if (effects.follow) Follow(screen);
  if (effects.hoverStart) ::SetTimer(toolbar_, kHoverTimerId, kHoverMilliseconds, nullptr);
  if (effects.hoverStop && ::IsWindow(toolbar_)) ::KillTimer(toolbar_, kHoverTimerId);
  if (effects.end) EndLook();
  if (effects.releaseMouse) ReleaseMouse();
  if (effects.drop) {
    if (const std::optional<int> slot = SlotAt(screen, false)) Post(slot);
  }
  if (effects.openSwitchMenu) Post(std::nullopt);
}

void BarButtonDrag::Begin() {
  parts_.slideOut();
  hold_ = parts_.held.Hold();
  if (HWND tips = parts_.children.Tooltip()) {
    ::SendMessageA(tips, TTM_POP, 0, 0);
    ::SendMessageA(tips, TTM_ACTIVATE, FALSE, 0);
  }
  // The button no longer looks pressed, in its place or in its picture.
  if (!pressedSeparator_) ::SendMessageA(toolbar_, TB_PRESSBUTTON, pressedCommand_, FALSE);
  RECT item = ToRECT(itemRect_);
  ::MapWindowPoints(bar_, toolbar_, reinterpret_cast<POINT*>(&item), 2);
  image_.Begin(bar_, toolbar_, ToRect(item), static_cast<COLORREF>(parts_.settings.ColorBk));
  focusBefore_ = ::SetFocus(toolbar_);
  // Every move and the release come here, wherever the mouse goes.
  if (::GetCapture() != toolbar_) ::SetCapture(toolbar_);
}

void BarButtonDrag::Follow(Point screen) {
  image_.MoveTo({screen.x - grip_.x, screen.y - grip_.y});
  SlotAt(screen, true);
}

std::optional<int> BarButtonDrag::SlotAt(Point screen, bool showMarker) {
  std::optional<DropSlot> slot;
  // Off the bar the drag lands nowhere; the drop's slots reach beyond its items.
  if (::IsWindow(bar_) && WindowRectOf(bar_).Contains(screen)) slot = parts_.drop.SlotAt(screen);
  if (showMarker) {
    if (slot) {
      parts_.drop.ShowMarker(*slot);
    } else {
      parts_.drop.HideMarker();
    }
  }
  return slot ? std::optional<int>(slot->index) : std::nullopt;
}

bool BarButtonDrag::OverSwitchButton(Point screen) const {
  HWND button = parts_.children.SwitchToolbar();
  return button && WindowRectOf(button).Contains(screen);
}

void BarButtonDrag::EndLook() {
  image_.End();
  parts_.drop.HideMarker();
  parts_.children.ReactivateTooltips();
  HWND before = std::exchange(focusBefore_, nullptr);
  if (before && before != toolbar_ && ::IsWindow(before) && ::GetFocus() == toolbar_) ::SetFocus(before);
  hold_.End();
}

void BarButtonDrag::ReleaseMouse() {
  releasing_ = true;
  const ScopeEnd released([this] { releasing_ = false; });
  if (::GetCapture() == toolbar_) ::ReleaseCapture();
}

void BarButtonDrag::Post(std::optional<int> slot) {
  pending_ = PendingMove{parts_.displayedBar(), record_, item_, steps_.Position(), slot};
  if (!::PostMessageA(bar_, kMoveMessage, 0, 0)) pending_.reset();
}

bool BarButtonDrag::StillThere(const PendingMove& move) const {
  const CBar* bar = parts_.db.Bar(move.bar);
  return bar && bar == move.record && parts_.displayedBar() == move.bar && bar->At(move.from) == move.item &&
         !parts_.dialogOpen();
}

void BarButtonDrag::TakeMove() {
  if (!pending_) return;
  const PendingMove move = *pending_;
  pending_.reset();
  if (!StillThere(move)) return;
  CBar& bar = *parts_.db.Bar(move.bar);
  int position = -1;
  if (move.slot) {
    // Its own place changes nothing and is not saved.
    const std::optional<int32_t> to = MovedPosition(move.from, *move.slot, bar.Count());
    if (!to || !MoveToSlot(bar, move.from, *move.slot)) return;
    position = *to;
  } else {
    const int target = parts_.chooseBar();
    // The menu ran a loop of its own: the bar may have changed meanwhile.
    if (target < 0 || !StillThere(move) || !MoveToBarEnd(parts_.db, move.bar, move.from, target)) return;
    position = target == move.bar ? bar.Count() - 1 : -1;
  }
  // A failed save has shown its message; the bar shows the order it holds.
  parts_.db.Save();
  parts_.moved(position);
}
