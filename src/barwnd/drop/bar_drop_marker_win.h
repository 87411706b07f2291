// The line that shows, while something is dragged over the bar, where the
// new buttons will go: a small popup owned by the bar, so that it stands above
// the bar and its toolbar whatever they repaint, drawn in the inverse of the
// bar's colour so that it shows on any colour.
#pragma once

#include <windows.h>

#include "platform/geometry.h"
#include "platform/window_win.h"

class DropMarker : public Window {
 public:
  static constexpr const char* kClassName = "OrvantisDropMarker";

  DropMarker() = default;
  ~DropMarker() override { Destroy(); }

  // `rect` in the bar's client coordinates, its thin side as thick as at
  // 96 DPI: the line is drawn thicker at the bar's `dpi`. The window is made
  // on first use.
  void Show(HWND bar, const Rect& rect, COLORREF barColour, int dpi = 96);
  void Hide();
  bool Visible() const { return Hwnd() && ::IsWindowVisible(Hwnd()); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  COLORREF colour_ = 0;
};
