#include "editing/presets/preset_applets_win.h"

#include <windows.h>
#include <cpl.h>

#include "platform/handles_win.h"

std::string WinAppletNamer::AppletName(const std::string& appletPath) {
  // Only the full path in the system folder is loaded, never a bare name that
  // the search path could resolve to some other library.
  UniqueModule library(::LoadLibraryExA(appletPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!library) return {};
  // Through void* so the compiler accepts the change of function type.
  auto entry = reinterpret_cast<APPLET_PROC>(
      reinterpret_cast<void*>(::GetProcAddress(library.Get(), "CPlApplet")));
  if (!entry) return {};
  entry(owner_, CPL_INIT, 0, 0);
  CPLINFO info = {};
  entry(owner_, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info));
  std::string name;
  if (info.idName != 0) {
    char buffer[1024] = {};
    if (::LoadStringA(library.Get(), static_cast<UINT>(info.idName), buffer, sizeof(buffer)) > 0) name = buffer;
  }
  // Let the applet finish before it is freed, so a preset leaves no libraries behind.
  entry(owner_, CPL_STOP, 0, info.lData);
  entry(owner_, CPL_EXIT, 0, 0);
  return name;
}

std::string SystemFolder() {
  char buffer[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryA(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string ControlFolder() {
  // The high bit of the version word is set on the older family.
  if ((::GetVersion() & 0x80000000u) == 0) return SystemFolder();
  char buffer[MAX_PATH] = {};
  const UINT length = ::GetWindowsDirectoryA(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}
