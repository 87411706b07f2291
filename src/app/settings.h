// The settings record: every key of "options.ini" with its loaded default.
// One process-wide instance (TheSettings()); Load and Save go through a Profile,
// the Windows profile functions in the program, a file-backed copy of their
// rules on the host.
#pragma once

#include <cstdint>
#include <string>

class Profile;

// The clock font, in the layout of the Windows LOGFONT record.
struct FontRecord {
  int32_t Height = -12;
  int32_t Width = 0;
  int32_t Escapement = 0;
  int32_t Orientation = 0;
  int32_t Weight = 700;
  uint8_t Italic = 0;
  uint8_t Underline = 0;
  uint8_t StrikeOut = 0;
  uint8_t CharSet = 204;
  uint8_t OutPrecision = 3;
  uint8_t ClipPrecision = 2;
  uint8_t Quality = 1;
  uint8_t PitchAndFamily = 0;
  char FaceName[32] = {};

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

  // view
  int32_t Floating = 0;
  int32_t AutoHide = 0;
  int32_t AlwaysOnTop = 0;
  int32_t Edge = 1;
  int32_t ColorBk = 0;
  int32_t ColorText = 0xFF0000;
  int32_t ColorClockBk = 0xFFFF;
  int32_t LargeIcon = 0;
  int32_t FlatButtons = 0;
  // prog
  int32_t StartWindows = 1;
  int32_t Smoothly = 1;
  int32_t CurrentBar = 0;
  int32_t Logo = 1;
  int32_t Splash = 1;
  int32_t LastAdd = 1;
  int32_t AskAutoStart = 1;
  int32_t UseToolTips = 1;
  int32_t SysTrayIcon = 1;
  // clock
  int32_t ShowBlock = 1;
  int32_t ShowCal = 1;
  int32_t ShowClock = 1;
  int32_t PosLeft = 1;
  int32_t OneLine = 0;
  int32_t CalType = 0;
  int32_t CalSepType = 0;
  int32_t DayOfWeek = 1;
  int32_t ShowYear = 1;
  int32_t Sec = 1;
  int32_t Type12h = 0;
  int32_t ClockSepType = 0;
  FontRecord Font;
  int32_t FontSize = 0;

  // Reads every key; a missing key or empty value gives the loaded default.
  void Load(Profile& profile);
  // Writes every key in the fixed order. `live` are the bar window's copies of
  // the edge, autohide and always-on-top values (null: the record's own);
  // `displayedBar` becomes "CurrentBar".
  void Save(Profile& profile, const LiveViewValues* live, int32_t displayedBar);

  friend bool operator==(const Settings&, const Settings&) = default;
};

// The process-wide record.
Settings& TheSettings();
