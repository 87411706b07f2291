// What the options pages need from the bar window. The pages change the
// settings record themselves and then ask the bar, through this interface, to
// show the change at once; the bar window implements it.
#pragma once

struct Settings;

class OptionsHost {
 public:
  virtual ~OptionsHost() = default;

  // While a dialog of the bar is open an autohide bar never collapses.
  virtual void SetDialogOpen(bool open) = 0;
  // The clock panel made, removed or repainted as ShowBlock, ShowCal and
  // ShowClock require, then undocked, docked and laid out again.
  virtual void RedockAfterOptions() = 0;
  // A new background brush of ColorBk, then a repaint.
  virtual void RebuildBackground() = 0;
  // Undock, dock, rebuild the buttons and the bar-switch button.
  virtual void RebuildAll() = 0;
  // The tooltips switched on or off as UseToolTips says.
  virtual void ReactivateTooltips() = 0;
  // Clock panel, background and buttons brought in line with the whole record.
  virtual void ApplyOptions() = 0;
  // The whole bar window repainted.
  virtual void RepaintAll() = 0;
  // The notification-area icon added (true) or removed (false).
  virtual void SetTrayIcon(bool shown) = 0;
  // The start-up shortcut brought in line with StartWindows; reports its own
  // failures. True on success.
  virtual bool AddStartup() = 0;
  // The record written to "options.ini" with the bar's live values.
  virtual void WriteSettings() = 0;
  // While the sheet is open: the record as the sheet found it, which is what a
  // logoff meanwhile writes instead of half-chosen values; null once it has closed.
  virtual void SetConfirmedSettings(const Settings* record) { (void)record; }
};
