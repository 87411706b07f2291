// The monitors as the system lists them now.
#pragma once

#include <windows.h>

#include "platform/monitors.h"

// Every monitor of the desktop (EnumDisplayMonitors), in the system's order,
// with its device name, rectangles and display scale. A system that lists
// none still has a screen: the list then holds the primary screen alone, as
// the system metrics give it, so nothing placed by it ends up off every screen.
Monitors ListMonitors();

// The bar's monitor for a stored choice: the chosen one when it is there,
// else the primary one.
MonitorInfo MonitorForChoice(const MonitorChoice& choice);
