#include "app/splash_win.h"

#include "platform/monitors.h"
#include "resource.h"

namespace {
constexpr UINT_PTR kSplashTimer = 1;
SplashWindow* g_shown = nullptr;
}  // namespace

bool SplashWindow::IsShown() { return g_shown != nullptr; }

bool SplashWindow::Show(unsigned milliseconds, std::function<void()> onEnd, const Rect& monitor) {
  if (g_shown) return true;
  auto* splash = new SplashWindow();
  splash->onEnd_ = std::move(onEnd);
  splash->bitmap_.Reset(static_cast<HBITMAP>(
      ::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, 0)));
  BITMAP info = {};
  if (!splash->bitmap_ || !::GetObjectA(splash->bitmap_.Get(), sizeof(info), &info)) {
    delete splash;
    return false;
  }
  splash->width_ = info.bmWidth;
  splash->height_ = info.bmHeight;
  const Rect place = CentredIn(monitor, {info.bmWidth, info.bmHeight});
  if (!splash->Create("OrvantisSplash", "", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, place.left, place.top,
                      info.bmWidth, info.bmHeight, nullptr, nullptr, 0)) {
    // A window that failed after WM_NCCREATE got its WM_NCDESTROY already, and
    // OnFinalDestroy left the object to us: it deletes only a shown splash.
    delete splash;  // start-up carries on without it
    return false;
  }
  g_shown = splash;
  ::SetTimer(splash->Hwnd(), kSplashTimer, milliseconds, nullptr);
  ::UpdateWindow(splash->Hwnd());
  return true;
}

LRESULT SplashWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PaintScope paint(Hwnd());
      UniqueDC memory(::CreateCompatibleDC(paint.Get()));
      SelectScope select(memory.Get(), bitmap_.Get());
      ::BitBlt(paint.Get(), 0, 0, width_, height_, memory.Get(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_TIMER:
      if (wp == kSplashTimer) {
        ::KillTimer(Hwnd(), kSplashTimer);
        // Destroying the window deletes this object: keep what runs after it.
        const std::function<void()> onEnd = std::move(onEnd_);
        Destroy();
        // Whatever the splash covered is painted at once.
        if (onEnd) onEnd();
        return 0;
      }
      break;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_KEYDOWN:
    case WM_SYSKEYDOWN: case WM_CHAR:
      return 0;  // the splash ends only by its timer
    case WM_CLOSE:
      return 0;
  }
  return DefaultProc(msg, wp, lp);
}

// Only a splash that was shown belongs to its window; one whose creation
// failed is deleted by Show, once.
void SplashWindow::OnFinalDestroy() {
  if (g_shown != this) return;
  g_shown = nullptr;
  delete this;
}
