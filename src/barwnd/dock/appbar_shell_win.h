// The shell's appbar conversation over SHAppBarMessage. Every request carries
// the bar window's handle and the registered notification message; the fields a
// request does not use stay zero.
#pragma once

#include <windows.h>

#include "barwnd/dock/appbar_shell.h"

class ShellAppBar : public AppBarShell {
 public:
  // The window is known only once the dialog exists.
  void SetWindow(HWND hwnd) { hwnd_ = hwnd; }
  // True between an accepted ABM_NEW and ABM_REMOVE.
  bool Registered() const { return registered_; }

  bool New(int edge) override;
  void Remove() override;
  Rect QueryPos(int edge, const Rect& proposed) override;
  Rect SetPos(int edge, const Rect& proposed) override;
  bool SetAutoHideBar(int edge, bool autoHide, const MonitorInfo& monitor) override;
  bool GetAutoHideBar(int edge) override;
  void Activate() override;
  void WindowPosChanged() override;

 private:
  APPBARDATA Record(int edge = 0, const Rect& rect = {}, LPARAM param = 0) const;

  HWND hwnd_ = nullptr;
  bool registered_ = false;
};
