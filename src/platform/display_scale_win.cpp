#include "platform/display_scale_win.h"

namespace {

// The per-monitor calls came with Windows 10 (1607); they are looked up once,
// so the program still starts on the systems before them.
template <typename Fn>
Fn User32Proc(const char* name) {
  HMODULE user32 = ::GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(user32, name))) : nullptr;
}

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

int ScreenLogPixels() {
  HDC screen = ::GetDC(nullptr);
  if (!screen) return kBaseDpi;
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

int SystemDpi() {
  static const auto getDpiForSystem = User32Proc<GetDpiForSystemFn>("GetDpiForSystem");
  if (getDpiForSystem) {
    const UINT dpi = getDpiForSystem();
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenLogPixels();
}

int WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Proc<GetDpiForWindowFn>("GetDpiForWindow");
  if (window && getDpiForWindow) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int MetricAt(int index, int dpi) {
  static const auto forDpi = User32Proc<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi && dpi > 0) return forDpi(index, static_cast<UINT>(dpi));
  const int value = ::GetSystemMetrics(index);
  const int system = SystemDpi();
  return dpi > 0 && dpi != system ? ::MulDiv(value, dpi, system) : value;
}

LOGFONTA FontAtDpi(LOGFONTA font, int dpi) {
  const int system = SystemDpi();
  if (dpi > 0 && dpi != system) font.lfHeight = ::MulDiv(font.lfHeight, dpi, system);
  return font;
}
