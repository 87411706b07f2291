// The bar window and the world around it: the shell's notices (appbar, tray
// icon, a new taskbar), leaving the shell at the end, and the displayed bar's
// launches and home-bar return.
#include <algorithm>

#include "barwnd/window/bar_window_win.h"
#include "db/cdb.h"
#include "platform/registered_messages_win.h"

// The end of the bar window and of the logon: the appbar leaves the shell, the
// settings are written, the tray icon goes (also when none was added).
void BarWindow::ReleaseAndSave() {
  appBar_.Release();
  WriteConfirmedSettings();
  tray_.Set(Hwnd(), false);
}

void BarWindow::WriteConfirmedSettings() {
  host_.WriteSettings(optionsConfirmed_ ? *optionsConfirmed_ : settings_, LiveValues(),
                      managerSavedBar_.value_or(switcher_.Displayed()));
}

bool BarWindow::OnRegisteredMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == 0) return false;
  if (msg == AppBarNotifyMessage()) {
    appBar_.OnShellNotify(static_cast<int>(wp), lp != 0);
  } else if (msg == TrayNotifyMessage()) {
    if (TrayIcon::OpensMenu(wp, lp)) {
      POINT mouse = {};
      ::GetCursorPos(&mouse);
      menus_.ShowTrayMenu(mouse);
    }
  } else if (msg == TaskbarCreatedMessage()) {
    RejoinShell();
  } else {
    return false;
  }
  return true;
}

// The shell has made a new taskbar (it restarted, or it was not ready when the
// bar started): the appbar joins it where it was, or docks for the first time,
// and the icon is added again.
void BarWindow::RejoinShell() {
  if (appBar_.State().ending) return;
  if (appBar_.OnTaskbarCreated() && !docked_) {
    CompleteDock();
    return;
  }
  if (!docked_) return;
  children_.LayOut();
  if (settings_.SysTrayIcon) tray_.Set(Hwnd(), true);
}

// The screen's size or its work area changed.
void BarWindow::OnDisplayChanged() {
  if (appBar_.OnDisplayChanged() && !docked_) CompleteDock();
}

// The steps of the start that wait for the first accepted dock: the buttons,
// no taskbar button, and, when the rest of the start has run already (the
// shell was late), the drop target and the icon.
void BarWindow::CompleteDock() {
  docked_ = true;
  RebuildButtons();
  // The template already makes it a tool window; this drops what the dialog
  // manager added (control parent), which changes nothing in the frame, so no
  // frame recalculation (and no appbar notice) follows.
  ::SetWindowLongA(Hwnd(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  RepaintAll();
  if (!startup_.Done()) return;
  drop_.Register(Hwnd());
  if (settings_.SysTrayIcon) tray_.Set(Hwnd(), true);
}

// Windows asks whether the logon may end. Another program may still cancel
// it, so the bar stays docked; only the settings are written now.
void BarWindow::OnQueryEndSession() { WriteConfirmedSettings(); }

// Only a session that really ends takes the bar out of the shell; after a
// cancelled logoff nothing has changed. The process may be ended before an
// open buttons manager closes, so the user's file-dialog places go back now.
void BarWindow::OnEndSession(bool ending) {
  if (!appBar_.OnEndSession(ending)) return;
  ReleaseAndSave();
  host_.EditingServices().OnManagerClosed();
}

// A click on a launch button arrives inside the buttons toolbar's own
// handling of the click. The return to the home bar rebuilds that toolbar, so
// it is posted: done now, it would destroy the toolbar under itself.
void BarWindow::LaunchFromToolbar(int commandId) {
  if (switcher_.LaunchOnly(commandId)) ::PostMessageA(Hwnd(), kReturnAfterLaunchMessage, 0, 0);
}

// --- BarSwitchHost -----------------------------------------------------------

int BarWindow::BarCount() { return db_.BarCount(); }

std::optional<HomeBarOptions> BarWindow::HomeBar() {
  const int ordinal = db_.GetHomeBar();
  const CBar* home = db_.Bar(ordinal);
  if (!home) return std::nullopt;
  return HomeBarOptions{ordinal, home->ShowOnLaunch != 0, home->ShowOnTimer != 0, home->ShowAfter};
}

void BarWindow::ShowDisplayedBar() {
  RebuildButtons();
  RepaintAll();
}

void BarWindow::LaunchButton(int bar, int commandId) {
  const CBar* shown = db_.Bar(bar);
  if (shown && !running_.SwitchInstead(Hwnd(), *shown, commandId)) shown->Launch(commandId, db_.ProgramFolder());
}

void BarWindow::StartHomeTimer(int milliseconds) {
  ::SetTimer(Hwnd(), kHomeBarTimerId, static_cast<UINT>(std::max(milliseconds, 0)), nullptr);
}

void BarWindow::StopHomeTimer() { ::KillTimer(Hwnd(), kHomeBarTimerId); }
