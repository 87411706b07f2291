// The names Control Panel applets give themselves.
#pragma once

#include <windows.h>

#include "editing/presets/preset_builders.h"

class WinAppletNamer : public AppletNamer {
 public:
  // `owner` is the window the applets are told about (the manager).
  explicit WinAppletNamer(HWND owner) : owner_(owner) {}
  AppletList Applets(const std::string& appletPath) override;

 private:
  HWND owner_;
};

// The folder of "control.exe": the system folder on the NT family, the
// Windows folder on the older one.
std::string ControlFolder();
std::string SystemFolder();
