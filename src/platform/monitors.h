// The monitors of the desktop as the system lists them, and the one the user
// chose for the bar. A choice is kept as the monitor's device name together
// with its rectangle: names are renumbered when adapters or drivers change,
// and a monitor is moved when the user rearranges the screens, but rarely
// both at once, so either one finds it again.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/geometry.h"

struct MonitorInfo {
  std::string name;  // the device name, "\\.\DISPLAY2"
  Rect rect;         // the whole monitor, in virtual-screen coordinates
  Rect work;         // its work area (the rectangle without the taskbars)
  bool primary = false;
  int dpi = 0;       // its display scale; 0 when the system does not say
  friend bool operator==(const MonitorInfo&, const MonitorInfo&) = default;
};
using Monitors = std::vector<MonitorInfo>;

// What options.ini keeps: an empty name is the primary monitor, whichever it is.
struct MonitorChoice {
  std::string name;
  Rect rect;
  bool IsPrimary() const { return name.empty(); }
  friend bool operator==(const MonitorChoice&, const MonitorChoice&) = default;
};

// The index of the primary monitor: the one marked so, else the one at the
// origin, else the first; -1 for an empty list.
int PrimaryMonitorIndex(const Monitors& monitors);

// The index of the chosen monitor, -1 when it is not there. The primary
// choice is the primary monitor. Otherwise, in this order: the same name and
// rectangle; the same name and size (the monitor was moved); the same
// rectangle (the names were renumbered); the same name (moved and its
// resolution changed).
int FindChosenMonitor(const Monitors& monitors, const MonitorChoice& choice);

// The monitor the bar stands on: the chosen one when it is there, else the
// primary one. Nothing only when the list is empty.
std::optional<MonitorInfo> MonitorForBar(const Monitors& monitors, const MonitorChoice& choice);

// The choice that names `monitor` (by name and rectangle).
MonitorChoice ChoiceOf(const MonitorInfo& monitor);

// The number a monitor is shown with: the digits its device name ends in
// ("\\.\DISPLAY2" is 2), else its place in the list counted from 1.
int MonitorNumber(const MonitorInfo& monitor, int index);

// A window of `size` centred in `area` (an odd pixel left over goes right and down).
Rect CentredIn(const Rect& area, Size size);
