// The texts the clock panel shows: the date and the time, formatted from one
// reading of the local time by the clock settings.
#pragma once

#include <array>
#include <string>

struct Settings;
class MessageTexts;

// One reading of the local clock.
struct LocalTime {
  int Year = 0;
  int Month = 1;    // 1 January .. 12 December
  int Weekday = 0;  // 0 Sunday .. 6 Saturday
  int Day = 1;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

// Short weekday names (Sunday first) and month names (January first).
struct DateNames {
  std::array<std::string, 7> Weekdays;
  std::array<std::string, 12> Months;
};

// The names from the message texts (weekdays at 200 + day, months at 206 + month).
DateNames DateNamesFromMessages(MessageTexts& messages);

// Separators selected by "CalSepType" and "ClockSepType"; a value outside the
// table gives no separator.
std::string DateSeparator(int calSepType);
std::string TimeSeparator(int clockSepType);

// The date by "CalType", "CalSepType", "ShowYear" and "DayOfWeek". A CalType
// outside 0..7 formats like 0. Empty when "ShowCal" is off.
std::string FormatDate(const Settings& settings, const LocalTime& time, const DateNames& names);

// The time by "ClockSepType", "Sec" and "Type12h". On the 12-hour clock midnight
// reads 12 AM and noon 12 PM. Empty when "ShowClock" is off.
std::string FormatTime(const Settings& settings, const LocalTime& time);

struct ClockTexts {
  std::string Date;
  std::string Time;
};

ClockTexts BuildClockTexts(const Settings& settings, const LocalTime& time, const DateNames& names);
