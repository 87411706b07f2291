#include "barwnd/bar_window_win.h"

#include <shellapi.h>

#include "app/add_startup_win.h"
#include "app/app_win.h"
#include "app/install_info_win.h"
#include "app/live_values_win.h"
#include "app/message_texts.h"
#include "app/registered_messages_win.h"
#include "app/settings.h"
#include "db/cdb.h"
#include "resource.h"

namespace {
constexpr int kPlainThickness = 30;
}

BarWindow::BarWindow() : Dialog(TheMessages().TemplateId(IDD_BARWINDOW)) {
  const Settings& settings = TheSettings();
  edge_ = settings.Edge >= 0 && settings.Edge <= 3 ? settings.Edge : 1;
  autoHide_ = settings.AutoHide;
  alwaysOnTop_ = settings.AlwaysOnTop;
  const int home = TheDB().GetHomeBar();
  displayedBar_ = home >= 0 ? home : settings.CurrentBar;
  SetLiveValuesSource([this] {
    LiveValues live;
    live.hasWindow = true;
    live.view = {autoHide_, alwaysOnTop_, edge_};
    live.displayedBar = displayedBar_;
    return live;
  });
}

BarWindow::~BarWindow() { SetLiveValuesSource(nullptr); }

BOOL BarWindow::OnInitDialog() {
  SetMainWindow(Hwnd());
  ::SetWindowTextA(Hwnd(), ProgramTitle());
  HICON icon = ::LoadIconA(ResourceModule(), MAKEINTRESOURCEA(IDI_MAINFRAME));
  ::SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  ::SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  AddStartup();
  background_.Reset(::CreateSolidBrush(static_cast<COLORREF>(TheSettings().ColorBk)));
  if (!Dock()) {
    EndDialog(IDCANCEL);
    return FALSE;
  }
  ::SetWindowLongA(Hwnd(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  ::InvalidateRect(Hwnd(), nullptr, TRUE);
  return TRUE;
}

bool BarWindow::Dock() {
  APPBARDATA data = {};
  data.cbSize = sizeof(data);
  data.hWnd = Hwnd();
  data.uCallbackMessage = AppBarNotifyMessage();
  if (!::SHAppBarMessage(ABM_NEW, &data)) {
    ::MessageBoxA(Hwnd(), TheMessages().Text(51).c_str(), ProgramTitle(), MB_OK);
    return false;
  }
  registered_ = true;
  data.uEdge = ABE_TOP;
  data.rc = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), kPlainThickness};
  ::SHAppBarMessage(ABM_QUERYPOS, &data);
  data.rc.bottom = data.rc.top + kPlainThickness;
  ::SHAppBarMessage(ABM_SETPOS, &data);
  ::SetWindowPos(Hwnd(), alwaysOnTop_ ? HWND_TOPMOST : HWND_NOTOPMOST, data.rc.left, data.rc.top,
                 data.rc.right - data.rc.left, data.rc.bottom - data.rc.top, SWP_SHOWWINDOW);
  return true;
}

void BarWindow::Undock() {
  if (!registered_) return;
  APPBARDATA data = {};
  data.cbSize = sizeof(data);
  data.hWnd = Hwnd();
  ::SHAppBarMessage(ABM_REMOVE, &data);
  registered_ = false;
}

void BarWindow::ShowContextMenu(POINT screenPoint) {
  UniqueMenu menu(::CreatePopupMenu());
  ::AppendMenuA(menu.Get(), MF_STRING, ID_EXIT, "Exit");
  RECT rect;
  ::GetWindowRect(Hwnd(), &rect);
  if (!::PtInRect(&rect, screenPoint)) {  // from the keyboard: below the bar
    screenPoint = {rect.left + (rect.right - rect.left) / 3, rect.bottom - 2};
  }
  ::SetForegroundWindow(Hwnd());
  ::TrackPopupMenu(menu.Get(), TPM_LEFTBUTTON, screenPoint.x, screenPoint.y, 0, Hwnd(), nullptr);
  ::PostMessageA(Hwnd(), WM_NULL, 0, 0);
}

void BarWindow::OnExit() {
  if (::MessageBoxA(Hwnd(), TheMessages().Text(58).c_str(), ProgramTitle(),
                    MB_YESNO | MB_ICONQUESTION) == IDYES) {
    EndDialog(IDOK);
  }
}

// Before the window goes (and when Windows ends the logon) the appbar is removed
// and the settings are written with the live values.
void BarWindow::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  Undock();
  WriteSettings();
}

bool BarWindow::OnCommand(int id, int, HWND) {
  if (id == ID_EXIT) {
    OnExit();
    return true;
  }
  return false;
}

bool BarWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  switch (msg) {
    case WM_CONTEXTMENU: {
      POINT point = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      ShowContextMenu(point);
      result = TRUE;
      return true;
    }
    case WM_CTLCOLORDLG:
      result = reinterpret_cast<INT_PTR>(background_.Get());
      return true;
    case WM_ENDSESSION:
      if (wp) Shutdown();
      result = 0;
      return true;
    case WM_DESTROY:
      Shutdown();
      SetMainWindow(nullptr);
      return false;
  }
  return Dialog::HandleMessage(msg, wp, lp, result);
}
