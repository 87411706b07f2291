// The bar window: the program's main window, a dialog docked along a screen edge
// as a shell appbar. Its modal loop is the program's only message loop.
#pragma once

#include <windows.h>

#include "platform/handles_win.h"
#include "platform/window_win.h"

class BarWindow : public Dialog {
 public:
  BarWindow();
  ~BarWindow() override;

  int Edge() const { return edge_; }
  int DisplayedBar() const { return displayedBar_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}      // Enter does not close the bar
  void OnCancel() override {}  // nor does Escape
  bool OnCommand(int id, int code, HWND control) override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  bool Dock();
  void Undock();
  void ShowContextMenu(POINT screenPoint);
  void OnExit();
  void Shutdown();

  int edge_ = 1;
  int autoHide_ = 0;
  int alwaysOnTop_ = 0;
  int displayedBar_ = 0;
  bool registered_ = false;
  bool shutDown_ = false;
  UniqueBrush background_;
};
