#include "clock/clock_text.h"

#include <cstdio>

#include "core/message_texts.h"
#include "core/settings.h"
#include "core/message_ids.h"

namespace {

// snprintf into a std::string; the clock texts are short, but a long month name
// from the text table must not be cut.
template <typename... Args>
std::string Format(const char* format, Args... args) {
  int length = std::snprintf(nullptr, 0, format, args...);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), format, args...);
  text.resize(static_cast<size_t>(length));
  return text;
}

template <size_t N>
const std::string& NameAt(const std::array<std::string, N>& names, int index) {
  static const std::string none;
  return index >= 0 && static_cast<size_t>(index) < N ? names[static_cast<size_t>(index)] : none;
}

}  // namespace

DateNames DateNamesFromMessages(MessageTexts& messages) {
  DateNames names;
  for (int day = 0; day < 7; ++day) names.Weekdays[static_cast<size_t>(day)] = messages.Text(kMsgFirstWeekday + day);
  for (int month = 1; month <= 12; ++month) names.Months[static_cast<size_t>(month - 1)] = messages.Text(kMsgFirstMonth + month - 1);
  return names;
}

std::string DateSeparator(int calSepType) {
  static const char* const kSeparators[] = {" ", ".", "/", ";"};
  return calSepType >= 0 && calSepType < 4 ? kSeparators[calSepType] : "";
}

std::string TimeSeparator(int clockSepType) {
  static const char* const kSeparators[] = {":", ".", "/", " ", ";"};
  return clockSepType >= 0 && clockSepType < 5 ? kSeparators[clockSepType] : "";
}

std::string FormatDate(const Settings& settings, const LocalTime& time, const DateNames& names) {
  if (settings.ShowCal == 0) return {};
  const int type = settings.CalType >= 0 && settings.CalType <= 7 ? settings.CalType : 0;
  const std::string sep = DateSeparator(settings.CalSepType);
  const char* p = sep.c_str();
  const char* month = NameAt(names.Months, time.Month - 1).c_str();

  // The year carries the blank that parts it from the words in the spelled-out
  // layouts, so with the year off that blank stays at the end (0, 1) or start (2, 3).
  std::string year = settings.ShowYear == 1 ? std::to_string(time.Year) : std::string();
  if (type == 0 || type == 1) year = " " + year;
  if (type == 2 || type == 3) year += " ";
  const char* y = year.c_str();

  std::string date;
  switch (type) {
    case 0: date = Format("%i %s%s", time.Day, month, y); break;
    case 1: date = Format("%s %i%s", month, time.Day, y); break;
    case 2: date = Format("%s%i %s", y, time.Day, month); break;
    case 3: date = Format("%s%s %i", y, month, time.Day); break;
    case 4: date = Format("%02i%s%02i%s%s", time.Day, p, time.Month, p, y); break;
    case 5: date = Format("%02i%s%02i%s%s", time.Month, p, time.Day, p, y); break;
    case 6: date = Format("%s%s%02i%s%i", y, p, time.Day, p, time.Month); break;
    case 7: date = Format("%s%s%02i%s%i", y, p, time.Month, p, time.Day); break;
  }
  if (settings.DayOfWeek == 1) date += " " + NameAt(names.Weekdays, time.Weekday);
  return date;
}

std::string FormatTime(const Settings& settings, const LocalTime& time) {
  if (settings.ShowClock == 0) return {};
  const std::string sep = TimeSeparator(settings.ClockSepType);
  const char* q = sep.c_str();

  int hour = time.Hour;
  const char* suffix = "";
  if (settings.Type12h == 1) {
    suffix = hour >= 12 ? " PM" : " AM";
    if (hour > 12) hour -= 12;
    if (hour == 0) hour = 12;
  }
  std::string text = settings.Sec == 1 ? Format("%i%s%02i%s%02i", hour, q, time.Minute, q, time.Second)
                                       : Format("%i%s%02i", hour, q, time.Minute);
  return text + suffix;
}

ClockTexts BuildClockTexts(const Settings& settings, const LocalTime& time, const DateNames& names) {
  return {FormatDate(settings, time, names), FormatTime(settings, time)};
}
