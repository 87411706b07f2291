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

bool ShellAppBar::SetAutoHideBar(int edge, bool autoHide) {
  APPBARDATA data = Record(edge, {}, autoHide ? 1 : 0);
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
