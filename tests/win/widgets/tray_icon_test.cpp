// The notification-area icon against the shell of the Wine desktop: added,
// deleted (also when it is not there) and added again, and the record it is
// described with.
#include "widgets/tray_icon_win.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/window_win.h"

namespace {

constexpr UINT kCallback = WM_APP + 17;

class Owner : public Window {
 public:
  Owner() { Create("QrTrayTestOwner", "tray owner", WS_POPUP, 0, 0, 0, 0, 0, nullptr, nullptr); }
};

// A modify request succeeds only for an icon the shell has.
bool ShellHasIcon(HWND owner) {
  NOTIFYICONDATAA record = {};
  record.cbSize = TrayIcon::kRecordSize;
  record.hWnd = owner;
  record.uID = TrayIcon::kIconId;
  record.uFlags = NIF_TIP;
  lstrcpynA(record.szTip, "Orvantis.Quickrail", 64);
  return ::Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

TEST(TrayIcon, RecordDescribesTheIcon) {
  Owner owner;
  TrayIcon tray(kCallback);
  const NOTIFYICONDATAA record = tray.Record(owner.Hwnd(), nullptr);
  EXPECT_EQ(record.cbSize, 88u);
  EXPECT_EQ(record.hWnd, owner.Hwnd());
  EXPECT_EQ(record.uID, 32793u);
  EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(record.uCallbackMessage, kCallback);
  EXPECT_STREQ(record.szTip, "Orvantis.Quickrail");
}

TEST(TrayIcon, AddDeleteAndAddAgain) {
  Owner owner;
  ASSERT_TRUE(owner.Hwnd());
  TrayIcon tray(kCallback);
  EXPECT_FALSE(ShellHasIcon(owner.Hwnd()));
  EXPECT_TRUE(tray.Set(owner.Hwnd(), true));
  EXPECT_TRUE(ShellHasIcon(owner.Hwnd()));
  EXPECT_TRUE(tray.Set(owner.Hwnd(), false));
  EXPECT_FALSE(ShellHasIcon(owner.Hwnd()));
  tray.Set(owner.Hwnd(), false);  // nothing there: nothing happens
  EXPECT_FALSE(ShellHasIcon(owner.Hwnd()));
  // What the bar does when the shell has made a new taskbar.
  EXPECT_TRUE(tray.Set(owner.Hwnd(), true));
  EXPECT_TRUE(ShellHasIcon(owner.Hwnd()));
  tray.Set(owner.Hwnd(), false);
}

TEST(TrayIcon, OnlyButtonPressesOnItsIconOpenTheMenu) {
  EXPECT_TRUE(TrayIcon::OpensMenu(32793, WM_LBUTTONDOWN));
  EXPECT_TRUE(TrayIcon::OpensMenu(32793, WM_RBUTTONDOWN));
  for (LPARAM other : {WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MOUSEMOVE}) {
    EXPECT_FALSE(TrayIcon::OpensMenu(32793, other)) << other;
  }
  EXPECT_FALSE(TrayIcon::OpensMenu(1, WM_RBUTTONDOWN));
}

}  // namespace
