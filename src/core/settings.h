// The settings record: a field for every key of "options.ini". The keys, their
// defaults and their order in the file are the table in app/settings_table.h.
// One instance, owned by the application; Load and Save go through a Profile,
// the Windows profile functions in the program, a file-backed copy of their
// rules on the host.
#pragma once

#include <cstdint>
#include <string>

#include "platform/monitors.h"

class Profile;

// The clock font, in the layout of the Windows LOGFONT record. A bare record
// is all zeros; the settings record gives it the loaded defaults.
struct FontRecord {
  int32_t Height{};
  int32_t Width{};
  int32_t Escapement{};
  int32_t Orientation{};
  int32_t Weight{};
  uint8_t Italic{};
  uint8_t Underline{};
  uint8_t StrikeOut{};
  uint8_t CharSet{};
  uint8_t OutPrecision{};
  uint8_t ClipPrecision{};
  uint8_t Quality{};
  uint8_t PitchAndFamily{};
  char FaceName[32]{};

  friend bool operator==(const FontRecord&, const FontRecord&) = default;
};

// The three view values the bar window keeps live copies of while it exists.
struct LiveViewValues {
  int32_t AutoHide;
  int32_t AlwaysOnTop;
  int32_t Edge;
};

struct Settings {
  static constexpr const char* kView = "view";
  static constexpr const char* kClock = "clock";
  static constexpr const char* kProg = "prog";
  // Features beyond the three first sections; their keys are written only once
  // they were turned on, so a file of a user who never did keeps its keys.
  static constexpr const char* kExtras = "extras";

  // Every field holds its loaded default, taken from the table (the zeros
  // below only keep a field the table misses from being left undefined).
  Settings();

  // view
  int32_t Floating{};
  int32_t AutoHide{};
  int32_t AlwaysOnTop{};
  int32_t Edge{};
  int32_t ColorBk{};
  int32_t ColorText{};
  int32_t ColorClockBk{};
  int32_t LargeIcon{};
  int32_t FlatButtons{};
  // prog
  int32_t StartWindows{};
  int32_t Smoothly{};
  int32_t CurrentBar{};
  int32_t Logo{};
  int32_t Splash{};
  int32_t LastAdd{};
  int32_t AskAutoStart{};
  int32_t UseToolTips{};
  int32_t SysTrayIcon{};
  // clock
  int32_t ShowBlock{};
  int32_t ShowCal{};
  int32_t ShowClock{};
  int32_t PosLeft{};
  int32_t OneLine{};
  int32_t CalType{};
  int32_t CalSepType{};
  int32_t DayOfWeek{};
  int32_t ShowYear{};
  int32_t Sec{};
  int32_t Type12h{};
  int32_t ClockSepType{};
  FontRecord Font;
  int32_t FontSize{};
  // extras
  int32_t SwitchToRunning{};
  // The bar's hot key as the hot-key control gives it: the virtual key in the
  // low byte, the HOTKEYF_ modifiers in the next one; 0 for none.
  int32_t HotKey{};
  // The monitor the bar stands on: its device name (empty: the primary
  // monitor, whichever it is; the system's names have at most 31 characters)
  // and its rectangle when it was chosen.
  char Monitor[32]{};
  int32_t MonitorLeft{};
  int32_t MonitorTop{};
  int32_t MonitorRight{};
  int32_t MonitorBottom{};

  // Reads every key; a missing key or empty value gives the loaded default.
  void Load(Profile& profile);
  // Writes every key in the fixed order. `live` are the bar window's copies of
  // the edge, autohide and always-on-top values (null: the record's own);
  // `displayedBar` becomes "CurrentBar".
  void Save(Profile& profile, const LiveViewValues* live, int32_t displayedBar);

  friend bool operator==(const Settings&, const Settings&) = default;
};

// The monitor choice the record holds, and storing one in it.
MonitorChoice ChosenMonitor(const Settings& settings);
void SetChosenMonitor(Settings& settings, const MonitorChoice& choice);

