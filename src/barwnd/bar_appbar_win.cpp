#include "barwnd/bar_appbar_win.h"

#include "app/message_texts.h"
#include "app/settings.h"
#include "barwnd/appbar_controller.h"
#include "barwnd/bar_children_win.h"
#include "barwnd/bar_geometry.h"
#include "platform/geometry_win.h"

Size BarAppBarAdapter::PrimaryScreenSize() {
  return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

int BarAppBarAdapter::BarThickness(int edge) {
  const Size frame{::GetSystemMetrics(SM_CXDLGFRAME), ::GetSystemMetrics(SM_CYDLGFRAME)};
  return ::BarThickness(edge, IconSize(settings_.LargeIcon != 0), children_.PanelSize(edge), frame);
}

Rect BarAppBarAdapter::ScreenRect() { return WindowRectOf(bar_); }

void BarAppBarAdapter::Place(const Rect& rect, bool topmost, Activation activation) {
  UINT flags = activation == Activation::kNoActivate ? SWP_NOACTIVATE : 0;
  ::SetWindowPos(bar_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top, rect.Width(), rect.Height(),
                 flags);
}

void BarAppBarAdapter::SetTopmost(bool topmost) {
  ::SetWindowPos(bar_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void BarAppBarAdapter::UpdateNow() { ::RedrawWindow(bar_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

bool BarAppBarAdapter::Smoothly() { return settings_.Smoothly != 0; }

void BarAppBarAdapter::StartAutoHideTimer() { ::SetTimer(bar_, kAutoHideTimerId, kAutoHideCheckMilliseconds, nullptr); }

void BarAppBarAdapter::StopAutoHideTimer() { ::KillTimer(bar_, kAutoHideTimerId); }

void BarAppBarAdapter::RebuildButtons() { children_.RebuildButtons(); }

void BarAppBarAdapter::ShowMessage(int id) { ::MessageBoxA(bar_, texts_.Text(id).c_str(), ProgramTitle(), MB_OK); }
