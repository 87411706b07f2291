#include "barwnd/drag/drag_image_win.h"

namespace {

constexpr BYTE kOpacity = 192;  // of 255: the bar shows through a little

}  // namespace

bool DragImage::Begin(HWND bar, HWND toolbar, const Rect& item, COLORREF barColour) {
  size_ = {item.Width(), item.Height()};
  if (size_.cx <= 0 || size_.cy <= 0) return false;
  {
    WindowDC screen(toolbar);
    UniqueDC dc(::CreateCompatibleDC(screen.Get()));
    picture_.Reset(::CreateCompatibleBitmap(screen.Get(), size_.cx, size_.cy));
    if (!dc || !picture_) return false;
    SelectScope selected(dc.Get(), picture_.Get());
    RECT all = {0, 0, size_.cx, size_.cy};
    UniqueBrush background(::CreateSolidBrush(barColour));
    ::FillRect(dc.Get(), &all, background.Get());
    // The toolbar paints all its buttons; only the dragged one falls on the picture.
    ::SetViewportOrgEx(dc.Get(), -item.left, -item.top, nullptr);
    ::SendMessageA(toolbar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    ::SetViewportOrgEx(dc.Get(), 0, 0, nullptr);
    UniqueBrush frame(::CreateSolidBrush(~barColour & 0x00FFFFFF));
    ::FrameRect(dc.Get(), &all, frame.Get());
  }
  if (!Hwnd() && !Create(kClassName, "", WS_POPUP,
                         WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, 0, 0, size_.cx,
                         size_.cy, bar, nullptr, 0)) {
    return false;
  }
  ::SetLayeredWindowAttributes(Hwnd(), 0, kOpacity, LWA_ALPHA);
  ::InvalidateRect(Hwnd(), nullptr, FALSE);
  return true;
}

void DragImage::MoveTo(Point screen) {
  if (!Hwnd() || !picture_) return;
  ::SetWindowPos(Hwnd(), HWND_TOP, screen.x, screen.y, size_.cx, size_.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  ::UpdateWindow(Hwnd());
}

void DragImage::End() {
  if (Hwnd()) ::ShowWindow(Hwnd(), SW_HIDE);
  picture_.Reset();
}

LRESULT DragImage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintScope paint(Hwnd());
      UniqueDC source(::CreateCompatibleDC(paint.Get()));
      if (source && picture_) {
        SelectScope selected(source.Get(), picture_.Get());
        ::BitBlt(paint.Get(), 0, 0, size_.cx, size_.cy, source.Get(), 0, 0, SRCCOPY);
      }
      return 0;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
  }
  return DefaultProc(msg, wp, lp);
}
