// What the bar window needs from the application that runs it. Start-up
// implements it; the bar window never reaches into the application itself.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/settings.h"
#include "editing/manager/manager_services_win.h"

class BarHost {
 public:
  virtual ~BarHost() = default;
  // Keeps the start-up shortcut in line with "StartWindows"; shows its messages
  // itself. False when the shortcut could not be made.
  virtual bool AddStartup() = 0;
  // Writes "options.ini" from `record` (the settings record, or while a dialog
  // is open at a logoff what the user last confirmed) with the bar's live values.
  virtual void WriteSettings(const Settings& record, const LiveViewValues& live, int32_t displayedBar) = 0;
  // The bar window exists (its handle) or is gone (null).
  virtual void SetMainWindow(HWND hwnd) = 0;
  // The buttons manager's system side (browsing, places bar, presets), one
  // object for the whole run.
  virtual ManagerServices& EditingServices() = 0;
};
