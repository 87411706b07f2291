#include "platform/monitors_win.h"

#include "platform/geometry_win.h"

namespace {

// GetDpiForMonitor came with Windows 8.1 in shcore.dll; looked up once, so
// the program still starts on the systems before it.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

int DpiOf(HMONITOR monitor) {
  static const auto getDpiForMonitor = [] {
    HMODULE shcore = ::LoadLibraryA("shcore.dll");
    return shcore ? reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(
                        ::GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  UINT x = 0;
  UINT y = 0;
  constexpr int kEffectiveDpi = 0;
  if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y > 0)
    return static_cast<int>(y);
  return 0;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFOEXA info = {};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoA(monitor, &info)) return TRUE;
  MonitorInfo entry;
  entry.name = info.szDevice;
  entry.rect = ToRect(info.rcMonitor);
  entry.work = ToRect(info.rcWork);
  entry.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  entry.dpi = DpiOf(monitor);
  reinterpret_cast<Monitors*>(list)->push_back(entry);
  return TRUE;
}

}  // namespace

Monitors ListMonitors() {
  Monitors monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    RECT work = {};
    const Rect screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const bool hasWork = ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) != FALSE;
    monitors.push_back({"", screen, hasWork ? ToRect(work) : screen, true, 0});
  }
  return monitors;
}

MonitorInfo MonitorForChoice(const MonitorChoice& choice) { return *MonitorForBar(ListMonitors(), choice); }
