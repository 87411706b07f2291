#include "editing/presets/preset_applets_win.h"

#include <windows.h>
#include <cpl.h>

#include <vector>

#include "platform/handles_win.h"

namespace {

// Applets a library may count; a larger answer is taken for a broken one.
constexpr LRESULT kMostApplets = 256;

std::string AppletName(HMODULE library, const CPLINFO& info) {
  if (info.idName == 0) return {};
  char buffer[1024] = {};
  if (::LoadStringA(library, static_cast<UINT>(info.idName), buffer, sizeof(buffer)) <= 0) return {};
  return buffer;
}

}  // namespace

AppletList WinAppletNamer::Applets(const std::string& appletPath) {
  // Only the full path in the system folder is loaded, never a bare name that
  // the search path could resolve to some other library.
  UniqueModule library(::LoadLibraryExA(appletPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!library) return {false, {""}};
  // Through void* so the compiler accepts the change of function type.
  auto entry = reinterpret_cast<APPLET_PROC>(
      reinterpret_cast<void*>(::GetProcAddress(library.Get(), "CPlApplet")));
  if (!entry) return {false, {""}};
  // A library that fails to start is told nothing more.
  if (entry(owner_, CPL_INIT, 0, 0) == 0) return {true, {}};
  const LRESULT count = entry(owner_, CPL_GETCOUNT, 0, 0);
  AppletList list;
  std::vector<LONG_PTR> data;
  for (LRESULT i = 0; i < count && i < kMostApplets; ++i) {
    CPLINFO info = {};
    entry(owner_, CPL_INQUIRE, static_cast<LPARAM>(i), reinterpret_cast<LPARAM>(&info));
    list.Names.push_back(AppletName(library.Get(), info));
    data.push_back(info.lData);
  }
  // Let the applets finish before the library is freed, so a preset leaves
  // no libraries behind.
  for (size_t i = 0; i < data.size(); ++i) entry(owner_, CPL_STOP, static_cast<LPARAM>(i), data[i]);
  entry(owner_, CPL_EXIT, 0, 0);
  return list;
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
