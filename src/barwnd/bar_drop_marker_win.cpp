#include "barwnd/bar_drop_marker_win.h"

#include "platform/handles_win.h"

void DropMarker::Show(HWND bar, const Rect& rect, COLORREF barColour) {
  const COLORREF colour = ~barColour & 0x00FFFFFF;
  if (!Hwnd()) {
    colour_ = colour;
    if (!Create("OrvantisDropMarker", "", WS_CHILD | WS_CLIPSIBLINGS, 0, rect.left, rect.top, rect.Width(),
                rect.Height(), bar, nullptr, 0)) {
      return;
    }
  }
  if (colour != colour_) {
    colour_ = colour;
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
  }
  // Above the toolbar it marks a gap of, without taking the focus.
  ::SetWindowPos(Hwnd(), HWND_TOP, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
  ::UpdateWindow(Hwnd());
}

void DropMarker::Hide() {
  if (Hwnd()) ::ShowWindow(Hwnd(), SW_HIDE);
}

LRESULT DropMarker::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(Hwnd(), &client);
      UniqueBrush brush(::CreateSolidBrush(colour_));
      ::FillRect(reinterpret_cast<HDC>(wp), &client, brush.Get());
      return 1;
    }
    case WM_PAINT: {
      PaintScope paint(Hwnd());
      return 0;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // the mouse goes to the bar beneath
  }
  return DefaultProc(msg, wp, lp);
}
