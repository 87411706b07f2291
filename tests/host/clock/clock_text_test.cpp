#include "clock/clock_text.h"

#include <gtest/gtest.h>

#include "core/message_texts.h"
#include "core/settings.h"

namespace {

DateNames EnglishNames() {
  return {{"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"},
          {"January", "February", "March", "April", "May", "June", "July", "August", "September",
           "October", "November", "December"}};
}

const LocalTime kJan23_2002{2002, 1, 3, 23, 21, 5, 7};   // a Wednesday
const LocalTime kMar5_2004{2004, 3, 5, 5, 9, 5, 7};      // a Friday

struct DateCase {
  const char* name;
  int calType;
  int sepType;
  int showYear;
  int dayOfWeek;
  LocalTime time;
  const char* expected;
};

class DateFormatTest : public testing::TestWithParam<DateCase> {};

TEST_P(DateFormatTest, FormatsTheDate) {
  const DateCase& c = GetParam();
  Settings settings;
  settings.ShowCal = 1;
  settings.CalType = c.calType;
  settings.CalSepType = c.sepType;
  settings.ShowYear = c.showYear;
  settings.DayOfWeek = c.dayOfWeek;
  EXPECT_EQ(FormatDate(settings, c.time, EnglishNames()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DateFormatTest,
    testing::Values(
        // Every layout with the year on, separator ".".
        DateCase{"Type0", 0, 1, 1, 0, kJan23_2002, "23 January 2002"},
        DateCase{"Type1", 1, 1, 1, 0, kJan23_2002, "January 23 2002"},
        DateCase{"Type2", 2, 1, 1, 0, kJan23_2002, "2002 23 January"},
        DateCase{"Type3", 3, 1, 1, 0, kJan23_2002, "2002 January 23"},
        DateCase{"Type4", 4, 1, 1, 0, kJan23_2002, "23.01.2002"},
        DateCase{"Type5", 5, 1, 1, 0, kJan23_2002, "01.23.2002"},
        DateCase{"Type6", 6, 1, 1, 0, kJan23_2002, "2002.23.1"},
        DateCase{"Type7", 7, 1, 1, 0, kJan23_2002, "2002.01.23"},
        // Only the middle number of types 6 and 7 is padded.
        DateCase{"Type6SingleDigits", 6, 1, 1, 0, kMar5_2004, "2004.05.3"},
        DateCase{"Type7SingleDigits", 7, 1, 1, 0, kMar5_2004, "2004.03.5"},
        // With the year off the year's blank or the separator stays behind.
        DateCase{"Type0NoYear", 0, 1, 0, 0, kMar5_2004, "5 March "},
        DateCase{"Type1NoYear", 1, 1, 0, 0, kMar5_2004, "March 5 "},
        DateCase{"Type2NoYear", 2, 1, 0, 0, kMar5_2004, " 5 March"},
        DateCase{"Type3NoYear", 3, 1, 0, 0, kMar5_2004, " March 5"},
        DateCase{"Type4NoYear", 4, 1, 0, 0, kMar5_2004, "05.03."},
        DateCase{"Type5NoYear", 5, 1, 0, 0, kMar5_2004, "03.05."},
        DateCase{"Type6NoYear", 6, 1, 0, 0, kMar5_2004, ".05.3"},
        DateCase{"Type7NoYear", 7, 1, 0, 0, kMar5_2004, ".03.5"},
        // The weekday follows after one blank.
        DateCase{"Type0NoYearWeekday", 0, 1, 0, 1, kMar5_2004, "5 March  Fr"},
        DateCase{"Type7Weekday", 7, 2, 1, 1, kMar5_2004, "2004/03/5 Fr"},
        DateCase{"SaturdayName", 4, 1, 0, 1, LocalTime{2004, 3, 6, 6, 0, 0, 0}, "06.03. Sa"},
        DateCase{"DecemberName", 0, 0, 1, 0, LocalTime{1999, 12, 5, 31, 0, 0, 0}, "31 December 1999"},
        // Every separator, and none outside the table.
        DateCase{"SepSpace", 4, 0, 1, 0, kJan23_2002, "23 01 2002"},
        DateCase{"SepSlash", 4, 2, 1, 0, kJan23_2002, "23/01/2002"},
        DateCase{"SepSemicolon", 4, 3, 1, 0, kJan23_2002, "23;01;2002"},
        DateCase{"SepBeyondTable", 4, 4, 1, 0, kJan23_2002, "23012002"},
        // Words don't use the separator.
        DateCase{"WordsIgnoreSeparator", 1, 2, 1, 0, kJan23_2002, "January 23 2002"},
        // A layout number outside 0..7 reads as layout 0.
        DateCase{"TypeBeyondTable", 8, 1, 1, 0, kJan23_2002, "23 January 2002"},
        DateCase{"TypeNegative", -1, 1, 0, 1, kMar5_2004, "5 March  Fr"}),
    [](const testing::TestParamInfo<DateCase>& info) { return std::string(info.param.name); });

struct TimeCase {
  const char* name;
  int sepType;
  int seconds;
  int twelveHour;
  int hour;
  const char* expected;
};

class TimeFormatTest : public testing::TestWithParam<TimeCase> {};

TEST_P(TimeFormatTest, FormatsTheTime) {
  const TimeCase& c = GetParam();
  Settings settings;
  settings.ShowClock = 1;
  settings.ClockSepType = c.sepType;
  settings.Sec = c.seconds;
  settings.Type12h = c.twelveHour;
  EXPECT_EQ(FormatTime(settings, LocalTime{2002, 1, 3, 23, c.hour, 5, 7}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Clock, TimeFormatTest,
    testing::Values(TimeCase{"Evening24", 0, 0, 0, 21, "21:05"},
                    TimeCase{"Evening24Seconds", 0, 1, 0, 21, "21:05:07"},
                    TimeCase{"HourNotPadded", 3, 1, 0, 9, "9 05 07"},
                    TimeCase{"SepDot", 1, 1, 0, 21, "21.05.07"},
                    TimeCase{"SepSlash", 2, 1, 0, 21, "21/05/07"},
                    TimeCase{"SepSemicolon", 4, 1, 0, 21, "21;05;07"},
                    TimeCase{"SepBeyondTable", 5, 1, 0, 21, "210507"},
                    TimeCase{"Evening12", 0, 0, 1, 21, "9:05 PM"},
                    TimeCase{"Morning12", 0, 0, 1, 9, "9:05 AM"},
                    TimeCase{"Midnight12", 0, 0, 1, 0, "12:05 AM"},
                    TimeCase{"Noon12", 0, 0, 1, 12, "12:05 PM"},
                    TimeCase{"OnePm12", 0, 0, 1, 13, "1:05 PM"},
                    TimeCase{"LastHour12", 0, 1, 1, 23, "11:05:07 PM"}),
    [](const testing::TestParamInfo<TimeCase>& info) { return std::string(info.param.name); });

TEST(ClockTexts, PartsThatAreOffAreEmpty) {
  Settings settings;
  settings.ShowCal = 0;
  settings.ShowClock = 0;
  ClockTexts texts = BuildClockTexts(settings, kJan23_2002, EnglishNames());
  EXPECT_EQ(texts.Date, "");
  EXPECT_EQ(texts.Time, "");
}

TEST(ClockTexts, BuildsBothTextsFromOneReading) {
  Settings settings;  // loaded defaults: date type 0 with year and weekday, 24 h with seconds
  ClockTexts texts = BuildClockTexts(settings, kJan23_2002, EnglishNames());
  EXPECT_EQ(texts.Date, "23 January 2002 We");
  EXPECT_EQ(texts.Time, "21:05:07");
}

TEST(ClockTexts, NamesComeFromTheMessageTable) {
  MessageTexts texts;
  DateNames names = DateNamesFromMessages(texts);
  EXPECT_EQ(names.Weekdays.front(), "Su");
  EXPECT_EQ(names.Weekdays.back(), "Sa");
  EXPECT_EQ(names.Months.front(), "January");
  EXPECT_EQ(names.Months.back(), "December");
}

}  // namespace
