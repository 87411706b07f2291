// Clock texts from settings values of any size (a hand-edited options.ini
// can hold anything) and any month and weekday names from the text table,
// at any valid local time.
#include <fuzzer/FuzzedDataProvider.h>

#include "core/settings.h"
#include "clock/clock_text.h"
#include "fuzz_support.h"

namespace {

// Small values most of the time, where the layouts are; any value otherwise.
int32_t SettingValue(FuzzedDataProvider& input) {
  return input.ConsumeBool() ? input.ConsumeIntegralInRange<int32_t>(-2, 9) : input.ConsumeIntegral<int32_t>();
}

int LeadingNumber(const std::string& text) {
  int value = 0;
  for (size_t i = 0; i < text.size() && text[i] >= '0' && text[i] <= '9' && i < 9; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  Settings settings;
  for (int32_t* field : {&settings.ShowCal, &settings.ShowClock, &settings.CalType, &settings.CalSepType,
                         &settings.ClockSepType, &settings.ShowYear, &settings.DayOfWeek, &settings.Sec,
                         &settings.Type12h})
    *field = SettingValue(input);

  LocalTime time;
  time.Year = input.ConsumeIntegralInRange(1601, 30827);
  time.Month = input.ConsumeIntegralInRange(1, 12);
  time.Weekday = input.ConsumeIntegralInRange(0, 6);
  time.Day = input.ConsumeIntegralInRange(1, 31);
  time.Hour = input.ConsumeIntegralInRange(0, 23);
  time.Minute = input.ConsumeIntegralInRange(0, 59);
  time.Second = input.ConsumeIntegralInRange(0, 59);

  DateNames names;
  for (std::string& name : names.Weekdays) name = input.ConsumeRandomLengthString(64);
  for (std::string& name : names.Months) name = input.ConsumeRandomLengthString(300);

  const ClockTexts texts = BuildClockTexts(settings, time, names);
  if (settings.ShowCal == 0) FUZZ_CHECK(texts.Date.empty());
  if (settings.ShowClock == 0) {
    FUZZ_CHECK(texts.Time.empty());
  } else if (!TimeSeparator(settings.ClockSepType).empty()) {
    // With a separator the text starts with the hour alone.
    const int hour = LeadingNumber(texts.Time);
    if (settings.Type12h == 1) {
      FUZZ_CHECK(hour >= 1 && hour <= 12);
      const std::string suffix = time.Hour >= 12 ? " PM" : " AM";
      FUZZ_CHECK(texts.Time.size() > suffix.size() && texts.Time.compare(texts.Time.size() - 3, 3, suffix) == 0);
    } else {
      FUZZ_CHECK(hour == time.Hour);
    }
  }
  // A layout number outside the table formats like layout 0.
  if (settings.CalType < 0 || settings.CalType > 7) {
    Settings first = settings;
    first.CalType = 0;
    FUZZ_CHECK(FormatDate(first, time, names) == texts.Date);
  }
  if (settings.CalSepType < 0 || settings.CalSepType > 3) FUZZ_CHECK(DateSeparator(settings.CalSepType).empty());
  if (settings.ClockSepType < 0 || settings.ClockSepType > 4) FUZZ_CHECK(TimeSeparator(settings.ClockSepType).empty());
  return 0;
}
