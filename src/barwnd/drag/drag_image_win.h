// The picture of a button being dragged along the bar, following the mouse:
// a small layered popup owned by the bar (so it stands above a topmost bar),
// see-through in part where the system can show that, and one the mouse
// passes through. The picture is the button as its toolbar draws it, framed in
// the inverse of the bar's colour, so that a separator shows as well.
#pragma once

#include <windows.h>

#include "platform/geometry.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"

class DragImage : public Window {
 public:
  static constexpr const char* kClassName = "OrvantisDragImage";

  DragImage() = default;
  ~DragImage() override { Destroy(); }

  // Takes the picture of `item` (the toolbar's client coordinates); false
  // when it cannot be made (the drag goes on without a picture).
  bool Begin(HWND bar, HWND toolbar, const Rect& item, COLORREF barColour);
  // Shows the picture with its top-left corner at `screen`.
  void MoveTo(Point screen);
  void End();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  UniqueBitmap picture_;
  Size size_;
};
