// The DPI the system draws a window at. The program declares itself aware of
// the display scale (per monitor where the system offers it, system-wide
// before that), so the system never stretches its windows' bitmaps: every
// length is scaled by the program (see display_scale.h).
#pragma once

#include <windows.h>

#include "platform/display_scale.h"

// A window's display scale changed; the headers for the systems before
// Windows 7 do not define it.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// The system's DPI: GetDpiForSystem where the system has it, else the screen's
// LOGPIXELSY.
int SystemDpi();
// The DPI of the monitor a window is on (GetDpiForWindow), else the system's.
int WindowDpi(HWND window);
inline DisplayScale WindowScale(HWND window) { return {WindowDpi(window)}; }
// A system metric at `dpi`: GetSystemMetricsForDpi where the system has it,
// else the system's value scaled from the system DPI to `dpi`.
int MetricAt(int index, int dpi);
// Scaled copy of a font the system describes at the system DPI (the menu font,
// the icon-title font): its height taken from the system DPI to `dpi`.
LOGFONTA FontAtDpi(LOGFONTA font, int dpi);
