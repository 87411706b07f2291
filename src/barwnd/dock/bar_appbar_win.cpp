#include "barwnd/dock/bar_appbar_win.h"

#include "core/message_texts.h"
#include "core/settings.h"
#include "barwnd/dock/appbar_controller.h"
#include "barwnd/dock/appbar_geometry.h"
#include "barwnd/window/bar_children_win.h"
#include "barwnd/window/bar_geometry.h"
#include "platform/geometry_win.h"
#include "platform/monitors_win.h"
#include "core/message_box_win.h"

MonitorInfo BarAppBarAdapter::BarMonitor() { return MonitorForChoice(ChosenMonitor(settings_)); }

int BarAppBarAdapter::BarThickness(int edge) { return children_.Thickness(edge); }

int BarAppBarAdapter::Dpi() { return children_.Dpi(); }

Rect BarAppBarAdapter::ScreenRect() { return WindowRectOf(bar_); }

namespace {

HWND InsertAfter(ZOrder order) {
  switch (order) {
    case ZOrder::kTopmost: return HWND_TOPMOST;
    case ZOrder::kBottom: return HWND_BOTTOM;  // also ends topmost
    case ZOrder::kNormal: break;
  }
  return HWND_NOTOPMOST;
}

}  // namespace

void BarAppBarAdapter::Place(const Rect& rect, ZOrder order, Activation activation) {
  UINT flags = activation == Activation::kNoActivate ? SWP_NOACTIVATE : 0;
  ::SetWindowPos(bar_, InsertAfter(order), rect.left, rect.top, rect.Width(), rect.Height(), flags);
}

void BarAppBarAdapter::SetZOrder(ZOrder order) {
  ::SetWindowPos(bar_, InsertAfter(order), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void BarAppBarAdapter::UpdateNow() { ::RedrawWindow(bar_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

bool BarAppBarAdapter::Smoothly() { return settings_.Smoothly != 0; }

void BarAppBarAdapter::StartAutoHideTimer() { ::SetTimer(bar_, kAutoHideTimerId, kAutoHideCheckMilliseconds, nullptr); }

void BarAppBarAdapter::StopAutoHideTimer() { ::KillTimer(bar_, kAutoHideTimerId); }

void BarAppBarAdapter::RebuildButtons() { children_.RebuildButtons(); }

FullScreenPlace BarAppBarAdapter::FrontFullScreen(const Rect& barMonitor) {
  HWND front = ::GetForegroundWindow();
  if (!front) return FullScreenPlace::kNone;
  DWORD process = 0;
  ::GetWindowThreadProcessId(front, &process);
  const LONG style = ::GetWindowLongA(front, GWL_STYLE);
  ForegroundFacts facts;
  facts.rect = WindowRectOf(front);
  facts.visible = ::IsWindowVisible(front) != FALSE;
  facts.minimized = ::IsIconic(front) != FALSE;
  facts.maximizedWithCaption = ::IsZoomed(front) && (style & WS_CAPTION) == WS_CAPTION;
  facts.shellOrOwn =
      front == ::GetDesktopWindow() || front == ::GetShellWindow() || process == ::GetCurrentProcessId();
  std::vector<Rect> monitors;
  for (const MonitorInfo& monitor : ListMonitors()) monitors.push_back(monitor.rect);
  return WhereFullScreen(facts, barMonitor, monitors);
}

void BarAppBarAdapter::ShowMessage(int id) { ShowProgramMessage(bar_, texts_.Text(id)); }
