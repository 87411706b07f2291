#include "barwnd/drop/bar_drop_marker_win.h"

#include "barwnd/window/bar_geometry.h"
#include "platform/handles_win.h"
#include "platform/geometry_win.h"

void DropMarker::Show(HWND bar, const Rect& rect, COLORREF barColour, int dpi) {
  const COLORREF colour = ~barColour & 0x00FFFFFF;
  RECT screen = ToRECT(ThickenLine(rect, dpi));
  ::MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&screen), 2);
  if (!Hwnd()) {
    colour_ = colour;
    // Owned by the bar: above it, also when the bar is topmost, and gone with it.
    if (!Create(kClassName, "", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, screen.left, screen.top,
                screen.right - screen.left, screen.bottom - screen.top, bar, nullptr, 0)) {
      return;
    }
  }
  if (colour != colour_) {
    colour_ = colour;
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
  }
  ::SetWindowPos(Hwnd(), HWND_TOP, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
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
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
  }
  return DefaultProc(msg, wp, lp);
}
