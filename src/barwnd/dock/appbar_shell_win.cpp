#include "barwnd/dock/appbar_shell_win.h"

#include <shellapi.h>

#include "platform/registered_messages_win.h"
#include "platform/geometry_win.h"

static_assert(sizeof(APPBARDATA) == 36, "the shell expects the 36-byte appbar record");

APPBARDATA ShellAppBar::Record(int edge, const Rect& rect, LPARAM param) const {
  APPBARDATA data = {};
  data.cbSize = sizeof(data);
  data.hWnd = hwnd_;
  data.uCallbackMessage = AppBarNotifyMessage();
  data.uEdge = static_cast<UINT>(edge);
  data.rc = ToRECT(rect);
  data.lParam = param;
  return data;
}

bool ShellAppBar::New(int edge) {
  APPBARDATA data = Record(edge);
  registered_ = ::SHAppBarMessage(ABM_NEW, &data) != 0;
  return registered_;
}

void ShellAppBar::Remove() {
  APPBARDATA data = Record();
  ::SHAppBarMessage(ABM_REMOVE, &data);
  registered_ = false;
}

Rect ShellAppBar::QueryPos(int edge, const Rect& proposed) {
  APPBARDATA data = Record(edge, proposed);
  ::SHAppBarMessage(ABM_QUERYPOS, &data);
  return ToRect(data.rc);
}

Rect ShellAppBar::SetPos(int edge, const Rect& proposed) {
  APPBARDATA data = Record(edge, proposed);
  ::SHAppBarMessage(ABM_SETPOS, &data);
  return ToRect(data.rc);
}

namespace {

// The per-monitor autohide requests; the headers for older systems do not
// name them.
constexpr DWORD kGetAutoHideBarEx = 0x0000000B;
constexpr DWORD kSetAutoHideBarEx = 0x0000000C;

}  // namespace

// The classic request names an edge of the primary monitor; a bar on another
// monitor names that monitor by its rectangle. A system without the
// per-monitor request refuses it and names no holder of the slot: the
// classic request is made then.
bool ShellAppBar::SetAutoHideBar(int edge, bool autoHide, const MonitorInfo& monitor) {
  const LPARAM param = autoHide ? 1 : 0;
  if (!monitor.primary) {
    APPBARDATA data = Record(edge, monitor.rect, param);
    if (::SHAppBarMessage(kSetAutoHideBarEx, &data) != 0) return true;
    APPBARDATA holder = Record(edge, monitor.rect);
    if (::SHAppBarMessage(kGetAutoHideBarEx, &holder) != 0) return false;
  }
  APPBARDATA data = Record(edge, {}, param);
  return ::SHAppBarMessage(ABM_SETAUTOHIDEBAR, &data) != 0;
}

bool ShellAppBar::GetAutoHideBar(int edge) {
  APPBARDATA data = Record(edge);
  return ::SHAppBarMessage(ABM_GETAUTOHIDEBAR, &data) != 0;
}

void ShellAppBar::Activate() {
  APPBARDATA data = Record();
  ::SHAppBarMessage(ABM_ACTIVATE, &data);
}

void ShellAppBar::WindowPosChanged() {
  APPBARDATA data = Record();
  ::SHAppBarMessage(ABM_WINDOWPOSCHANGED, &data);
}
