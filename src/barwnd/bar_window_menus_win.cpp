// The bar window's menus: the context menu and the bar-switch menu.
#include <algorithm>

#include "app/message_texts.h"
#include "barwnd/bar_commands.h"
#include "barwnd/bar_window_win.h"
#include "db/cdb.h"

namespace {
constexpr int kMsgEmptyBar = 54;
}  // namespace

void BarWindow::ShowContextMenu(POINT screenPoint) {
  UniqueMenu menu(::CreatePopupMenu());
  ::AppendMenuA(menu.Get(), MF_STRING, kCmdExit, "Exit");
  RECT rect;
  ::GetWindowRect(Hwnd(), &rect);
  if (!::PtInRect(&rect, screenPoint)) {  // from the keyboard: below the bar
    screenPoint = {rect.left + (rect.right - rect.left) / 3, rect.bottom - 2};
  }
  SetDialogOpen(true);
  ::SetForegroundWindow(Hwnd());
  ::TrackPopupMenu(menu.Get(), TPM_LEFTBUTTON, screenPoint.x, screenPoint.y, 0, Hwnd(), nullptr);
  ::PostMessageA(Hwnd(), WM_NULL, 0, 0);
  SetDialogOpen(false);
}

// A plain list of the available bars, the displayed one checked; bars keep
// their index in the command even when others are left out.
void BarWindow::ShowBarSwitchMenu() {
  UniqueMenu menu(::CreatePopupMenu());
  if (db_.BarCount() == 0) {
    ::AppendMenuA(menu.Get(), MF_STRING, kFirstSwitchCommand, texts_.Text(kMsgEmptyBar).c_str());
  }
  for (int32_t n = 0; n < db_.BarCount() && n <= kLastSwitchCommand - kFirstSwitchCommand; ++n) {
    const CBar* bar = db_.Bar(n);
    if (!bar->Available) continue;
    std::string text = "  " + bar->Name + (n == db_.GetHomeBar() ? " (fixed)" : "");
    UINT flags = MF_STRING | (n == switcher_.Displayed() ? MF_CHECKED : 0);
    ::AppendMenuA(menu.Get(), flags, static_cast<UINT_PTR>(kFirstSwitchCommand + n), text.c_str());
  }
  RECT button = {};
  if (SwitchToolbar()) ::GetWindowRect(SwitchToolbar(), &button);
  SetDialogOpen(true);
  ::SetForegroundWindow(Hwnd());
  ::TrackPopupMenu(menu.Get(), TPM_LEFTBUTTON, button.left, button.bottom, 0, Hwnd(), nullptr);
  ::PostMessageA(Hwnd(), WM_NULL, 0, 0);
  SetDialogOpen(false);
}
