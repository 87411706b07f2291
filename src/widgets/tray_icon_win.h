// The bar window's icon in the taskbar's notification area. The bar window
// owns the icon and receives its notifications through the registered
// "OrvantisSysTrayNotify" message, whose number it gives here. Nothing is
// kept between calls: each add or delete describes the icon afresh.
#pragma once

#include <windows.h>
#include <shellapi.h>

class TrayIcon {
 public:
  static constexpr UINT kIconId = 32793;
  // The first and smallest layout of the shell's record, with a 64-byte tip.
  static constexpr DWORD kRecordSize = 88;

  explicit TrayIcon(UINT callbackMessage) : callbackMessage_(callbackMessage) {}

  // Adds the icon of `owner` (show) or deletes it (hide). Returns what the
  // shell returns; deleting an icon that is not there does nothing. After the
  // shell has re-created the taskbar (TaskbarCreatedMessage) an icon that
  // should be shown is simply added again.
  bool Set(HWND owner, bool show) const;

  // The record for the shell; `icon` may be null for a delete.
  NOTIFYICONDATAA Record(HWND owner, HICON icon) const;

  // Whether a notification (the message's two parameters) opens the menu: a
  // left or right button press on this icon. Releases and double clicks don't.
  static bool OpensMenu(WPARAM iconId, LPARAM mouseMessage) {
    return iconId == kIconId && (mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_RBUTTONDOWN);
  }

 private:
  UINT callbackMessage_;
};

// The message the shell sends every top-level window when it has made a new
// taskbar (after it restarted): icons and appbars must be added again.
UINT TaskbarCreatedMessage();
