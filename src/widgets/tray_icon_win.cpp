#include "widgets/tray_icon_win.h"

#include <cstddef>

#include "core/message_texts.h"
#include "platform/display_scale_win.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"
#include "resource.h"

static_assert(offsetof(NOTIFYICONDATAA, szTip) + 64 == TrayIcon::kRecordSize,
              "the short notification record ends with its 64-byte tip");

NOTIFYICONDATAA TrayIcon::Record(HWND owner, HICON icon) const {
  NOTIFYICONDATAA record = {};
  record.cbSize = kRecordSize;
  record.hWnd = owner;
  record.uID = kIconId;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = callbackMessage_;
  record.hIcon = icon;
  lstrcpynA(record.szTip, ProgramTitle(), 64);
  return record;
}

bool TrayIcon::Set(HWND owner, bool show) const {
  // The shell keeps its own copy of the picture, made at the small icon size
  // of the owner's display scale.
  UniqueIcon icon;
  if (show) {
    const int dpi = WindowDpi(owner);
    icon.Reset(static_cast<HICON>(::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_BAR), IMAGE_ICON,
                                                MetricAt(SM_CXSMICON, dpi), MetricAt(SM_CYSMICON, dpi),
                                                LR_DEFAULTCOLOR)));
  }
  NOTIFYICONDATAA record = Record(owner, icon.Get());
  return ::Shell_NotifyIconA(show ? NIM_ADD : NIM_DELETE, &record) != FALSE;
}

UINT TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageA("TaskbarCreated");
  return message;
}
