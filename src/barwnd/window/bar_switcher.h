// Which bar the bar window shows, the switch between bars and the return to
// the home bar after a launch or after the home bar's delay. The bar window
// owns one BarSwitcher and supplies the database, the toolbar rebuild, the
// launch and timer 1004 through BarSwitchHost.
#pragma once

#include <optional>
#include <string>

#include "db/cd.h"

inline constexpr int kHomeBarTimerId = 1004;

// Command identifiers the bar window routes: a click on a launch button sends
// 1124 + 64 x bar ordinal + button number (kFirstButtonCommand to
// kLastButtonCommand, from the model), a bar-switch menu entry 17509 + bar.
inline constexpr int kFirstSwitchCommand = kLastButtonCommand + 1;
inline constexpr int kLastSwitchCommand = kFirstSwitchCommand + 256;

constexpr bool IsButtonCommand(int id) { return id >= kFirstButtonCommand && id <= kLastButtonCommand; }
// The bar a switch command names, or -1 for any other command.
constexpr int SwitchCommandBar(int id) {
  return id >= kFirstSwitchCommand && id <= kLastSwitchCommand ? id - kFirstSwitchCommand : -1;
}

// The home bar's options that decide when the window goes back to it.
struct HomeBarOptions {
  int ordinal = -1;
  bool showOnLaunch = false;
  bool showOnTimer = false;
  int showAfterMs = 0;
};

class BarSwitchHost {
 public:
  virtual ~BarSwitchHost() = default;
  virtual int BarCount() = 0;
  // The database's home bar, if it names one.
  virtual std::optional<HomeBarOptions> HomeBar() = 0;
  // Rebuilds the buttons toolbar from the displayed bar and repaints.
  virtual void ShowDisplayedBar() = 0;
  // Opens the target of the bar's button with this command identifier.
  virtual void LaunchButton(int bar, int commandId) = 0;
  virtual void StartHomeTimer(int milliseconds) = 0;
  virtual void StopHomeTimer() = 0;
};

// The bar shown when the window is made: the home bar, else the stored
// "CurrentBar". A home bar or stored index that names no bar (negative, or past
// the end after bars were deleted) is passed over; in the end bar 0.
int InitialDisplayedBar(int homeBar, int currentBarSetting, int barCount);

// The bar-switch button's tooltip: the bar's name cut to 79 characters (the
// tooltip's text buffer holds 80), or `emptyText` when no bar is displayed.
std::string SwitchButtonTipText(const std::string* barName, const std::string& emptyText);

class BarSwitcher {
 public:
  BarSwitcher(BarSwitchHost& host, int displayed) : host_(host), displayed_(displayed) {}

  int Displayed() const { return displayed_; }
  // An index that no longer names a bar counts as no displayed bar.
  bool HasDisplayedBar();
  bool ReturnPending() const { return returnPending_; }

  // Takes an index chosen elsewhere (the buttons manager); the caller rebuilds.
  void SetDisplayed(int index) { displayed_ = index; }

  // Shows bar n; while a home bar wants the window back, a return becomes
  // pending and, with its timer option, timer 1004 starts.
  void SwitchTo(int n);
  // Launches a button of the displayed bar, then goes back to the home bar if
  // it asks for that after a launch.
  void Launch(int commandId);
  // The two halves of Launch, for a click that comes from inside the buttons
  // toolbar: the return rebuilds that toolbar, so it must wait until the
  // toolbar's own notification is over. LaunchOnly is true when a button was
  // launched (there is a displayed bar); ReturnAfterLaunch goes back to the
  // home bar when a return is pending and the home bar asks for one after a
  // launch.
  bool LaunchOnly(int commandId);
  void ReturnAfterLaunch();
  // Timer 1004: back to the home bar, and the timer stops.
  void OnHomeTimer();

 private:
  std::optional<HomeBarOptions> ValidHomeBar();

  BarSwitchHost& host_;
  int displayed_;
  bool returnPending_ = false;
};
