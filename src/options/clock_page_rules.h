// The clock page's rules: its controls and their settings, the list contents,
// which controls are enabled, and the one-line/two-line layout.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "options/control_binding.h"

const ControlBindings& ClockBindings();

struct ListContents {
  int id;
  std::vector<std::string> items;  // in index order
};
// The three drop-down lists: date format, date separator, time separator.
const std::vector<ListContents>& ClockLists();

struct ControlEnabled {
  int id;
  bool enabled;
};
// Location and layout groups, "Date" and "Clock" follow the area; the date
// controls also need "Date", the clock controls "Clock". "Year" stays enabled.
std::vector<ControlEnabled> ClockEnabling(const Settings& settings);

// Date and clock both shown take two lines (0), either alone one line (1).
int32_t OneLineFor(const Settings& settings);

struct ClockReaction {
  BarOperations operations;
  bool enablingChanged = false;  // enable the controls again by ClockEnabling
  bool layoutChanged = false;    // OneLine was set: select its radio button again
  bool focusPage = false;        // the keyboard focus goes back to the page
};

// A click on a check box or radio button, or a new list selection. `state` is
// what the control now shows (see ShownState). Empty for an id not on the page.
std::optional<ClockReaction> ClockControlChanged(int id, int state, Settings& settings);

// OK on the page: "Day of the week" and "Seconds" stored from the controls once more.
BarOperations ClockPageOk(int dayOfWeek, int seconds, Settings& settings);
