// The idle baseline of the bar benchmark: the least a Win32 program can do to
// keep a clock on the screen. A bare popup window that, on each tick of one
// periodic timer, reads the local time, formats a date line and a time line
// and repaints both in the device context's default font. Nothing else: no
// double buffering, no fonts of its own, no alignment of the ticks.
//
//   baseline_clock             ticks once a second, the time with seconds
//   baseline_clock --minute    ticks once a minute, the time without seconds
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char* const kClassName = "QrClockFloor";
constexpr UINT_PTR kTimerId = 1;

bool g_minute = false;
char g_date[64] = "";
char g_time[32] = "";

void FormatTexts() {
  static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
  SYSTEMTIME now = {};
  ::GetLocalTime(&now);
  std::snprintf(g_date, sizeof g_date, "%u %s %u", now.wDay, kMonths[(now.wMonth + 11) % 12], now.wYear);
  if (g_minute) {
    std::snprintf(g_time, sizeof g_time, "%u:%02u", now.wHour, now.wMinute);
  } else {
    std::snprintf(g_time, sizeof g_time, "%u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
  }
}

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      FormatTexts();
      ::SetTimer(hwnd, kTimerId, g_minute ? 60000 : 1000, nullptr);
      return 0;
    case WM_TIMER:
      FormatTexts();
      ::InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hwnd, &paint);
      ::TextOutA(dc, 2, 1, g_date, static_cast<int>(std::strlen(g_date)));
      ::TextOutA(dc, 2, 18, g_time, static_cast<int>(std::strlen(g_time)));
      ::EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_CLOSE:
      ::DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  g_minute = std::strstr(commandLine, "--minute") != nullptr;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = FloorProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  if (!::RegisterClassA(&windowClass)) return 1;
  // Away from the top edge, where the bar docks, so neither covers the other.
  const int top = ::GetSystemMetrics(SM_CYSCREEN) - 160;
  if (!::CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP | WS_BORDER | WS_VISIBLE, 20, top, 160, 40,
                         nullptr, nullptr, instance, nullptr)) {
    return 1;
  }
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  return 0;
}
