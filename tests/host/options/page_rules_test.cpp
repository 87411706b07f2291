// The page rules: what each control stores and asks of the bar, the enabling
// and layout rules of the clock page, the radio mappings and the font label.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "options/clock_page_rules.h"
#include "options/options_session.h"
#include "options/program_page_rules.h"
#include "options/view_page_rules.h"
#include "options_ids.h"
#include "recording_host.h"

namespace {

using Calls = std::vector<std::string>;

// A control changed on a page: stores into the record and returns the bar operations.
using Change = std::function<BarOperations(Settings&)>;

Change Clock(int id, int state) {
  return [=](Settings& s) { return ClockControlChanged(id, state, s).value().operations; };
}
Change Program(int id, int state) {
  return [=](Settings& s) { return StoreControl(ProgramBindings(), id, state, s).value(); };
}
Change View(int id, int state) {
  return [=](Settings& s) { return StoreControl(ViewBindings(), id, state, s).value(); };
}
Change Colour(int id, uint32_t colour) {
  return [=](Settings& s) { return StoreChosenColor(*FindSwatch(id), colour, s); };
}

struct ControlCase {
  const char* what;
  Change change;
  std::function<void(Settings&)> expect;  // applied to the record before the change
  Calls calls;
};

TEST(OptionsControls, EachControlStoresItsSettingAndAsksTheBar) {
  const ControlCase cases[] = {
      {"area off", Clock(IDC_CLOCK_AREA, 0), [](Settings& s) { s.ShowBlock = 0; }, {"Redock"}},
      {"Left", Clock(IDC_CLOCK_LEFT, 1), [](Settings& s) { s.PosLeft = 1; }, {"Redock"}},
      {"Right", Clock(IDC_CLOCK_RIGHT, 1), [](Settings& s) { s.PosLeft = 0; }, {"Redock"}},
      {"One a line", Clock(IDC_CLOCK_ONE_LINE, 1), [](Settings& s) { s.OneLine = 1; }, {"Redock"}},
      {"Two lines", Clock(IDC_CLOCK_TWO_LINES, 1), [](Settings& s) { s.OneLine = 0; }, {"Redock"}},
      {"Date off", Clock(IDC_CLOCK_DATE, 0), [](Settings& s) { s.ShowCal = 0, s.OneLine = 1; }, {"Redock"}},
      {"Year off", Clock(IDC_CLOCK_YEAR, 0), [](Settings& s) { s.ShowYear = 0; }, {"Redock"}},
      {"Day of the week off", Clock(IDC_CLOCK_DAY_OF_WEEK, 0), [](Settings& s) { s.DayOfWeek = 0; }, {"Redock"}},
      {"date format 5", Clock(IDC_CLOCK_DATE_FORMAT, 5), [](Settings& s) { s.CalType = 5; }, {"Redock"}},
      {"date separator 3", Clock(IDC_CLOCK_DATE_SEP, 3), [](Settings& s) { s.CalSepType = 3; }, {"Redock"}},
      {"Clock off", Clock(IDC_CLOCK_CLOCK, 0), [](Settings& s) { s.ShowClock = 0, s.OneLine = 1; }, {"Redock"}},
      {"Seconds off", Clock(IDC_CLOCK_SECONDS, 0), [](Settings& s) { s.Sec = 0; }, {"Redock"}},
      {"12h", Clock(IDC_CLOCK_12H, 1), [](Settings& s) { s.Type12h = 1; }, {"Redock"}},
      {"24h", Clock(IDC_CLOCK_24H, 1), [](Settings& s) { s.Type12h = 0; }, {"Redock"}},
      {"time separator 4", Clock(IDC_CLOCK_TIME_SEP, 4), [](Settings& s) { s.ClockSepType = 4; }, {"Redock"}},
      {"Large buttons", View(IDC_VIEW_LARGE, 1), [](Settings& s) { s.LargeIcon = 1; }, {"RebuildAll"}},
      {"Flat buttons", View(IDC_VIEW_FLAT, 1), [](Settings& s) { s.FlatButtons = 1; }, {"RebuildAll"}},
      {"Panel background", Colour(IDC_VIEW_PANEL_BK, 0x123456), [](Settings& s) { s.ColorBk = 0x123456; },
       {"Background"}},
      {"Clock background", Colour(IDC_VIEW_CLOCK_BK, 0x00FF00), [](Settings& s) { s.ColorClockBk = 0x00FF00; },
       {"Redock"}},
      {"Text color", Colour(IDC_VIEW_TEXT_COLOR, 0x0000FF), [](Settings& s) { s.ColorText = 0x0000FF; },
       {"Redock"}},
      {"standard colours",
       [](Settings& s) { return UseStandardColors({0xC0C0C0, 0xFFFFFF, 0x000001}, s); },
       [](Settings& s) { s.ColorBk = 0xC0C0C0, s.ColorClockBk = 0xFFFFFF, s.ColorText = 1; },
       {"Redock", "Background"}},
      {"start-up off", Program(IDC_PROG_STARTUP, 0), [](Settings& s) { s.StartWindows = 0; }, {"AddStartup"}},
      {"tray off", Program(IDC_PROG_TRAY, 0), [](Settings& s) { s.SysTrayIcon = 0; }, {"Tray(0)"}},
      {"tooltips off", Program(IDC_PROG_TOOLTIPS, 0), [](Settings& s) { s.UseToolTips = 0; }, {"Tooltips"}},
      {"gradual display off", Program(IDC_PROG_SMOOTHLY, 0), [](Settings& s) { s.Smoothly = 0; }, {}},
      {"logo off", Program(IDC_PROG_LOGO, 0), [](Settings& s) { s.Logo = 0; }, {"Repaint"}},
      {"splash off", Program(IDC_PROG_SPLASH, 0), [](Settings& s) { s.Splash = 0; }, {"Repaint"}},
      {"monitor 2", [](Settings& s) { return StoreMonitorChoice({"2", {"\\\\.\\DISPLAY2", {0, 0, 9, 9}}}, s); },
       [](Settings& s) { SetChosenMonitor(s, {"\\\\.\\DISPLAY2", {0, 0, 9, 9}}); }, {"Redock"}},
  };
  for (const ControlCase& c : cases) {
    Settings record;  // the loaded defaults: everything on, two lines, Left, 24 hours
    record.OneLine = 0;
    Settings expected = record;
    c.expect(expected);
    RecordingHost host;
    OptionsSession session(record, host);
    session.Perform(c.change(record));
    EXPECT_TRUE(record == expected) << c.what;
    EXPECT_EQ(host.calls, c.calls) << c.what;
  }
}

TEST(OptionsControls, ARadioButtonThatIsNotSelectedStoresNothing) {
  Settings record;
  record.PosLeft = 1;
  const std::optional<ClockReaction> reaction = ClockControlChanged(IDC_CLOCK_RIGHT, 0, record);
  ASSERT_TRUE(reaction);
  EXPECT_TRUE(reaction->operations.empty());
  EXPECT_EQ(record.PosLeft, 1);
}

TEST(ClockEnabling, FollowsTheAreaDateAndClock) {
  struct Case {
    int area, date, clock;
    bool groups, dateControls, clockControls;
  } cases[] = {
      {0, 1, 1, false, false, false}, {0, 0, 0, false, false, false}, {1, 1, 1, true, true, true},
      {1, 0, 1, true, false, true},   {1, 1, 0, true, true, false},   {1, 0, 0, true, false, false},
  };
  const std::vector<int> groups = {IDC_CLOCK_LEFT, IDC_CLOCK_RIGHT, IDC_CLOCK_ONE_LINE, IDC_CLOCK_TWO_LINES,
                                   IDC_CLOCK_DATE, IDC_CLOCK_CLOCK};
  const std::vector<int> dateControls = {IDC_CLOCK_DATE_FORMAT, IDC_CLOCK_DAY_OF_WEEK, IDC_CLOCK_DATE_SEP};
  const std::vector<int> clockControls = {IDC_CLOCK_SECONDS, IDC_CLOCK_12H, IDC_CLOCK_24H, IDC_CLOCK_TIME_SEP};
  for (const Case& c : cases) {
    Settings s;
    s.ShowBlock = c.area, s.ShowCal = c.date, s.ShowClock = c.clock;
    std::map<int, bool> enabled;
    for (const ControlEnabled& e : ClockEnabling(s)) enabled[e.id] = e.enabled;
    const std::string label = "area " + std::to_string(c.area) + " date " + std::to_string(c.date) + " clock " +
                              std::to_string(c.clock);
    // Every bound control of the page but the area check box itself is decided.
    EXPECT_EQ(enabled.size(), ClockBindings().size() - 1) << label;
    EXPECT_TRUE(enabled.at(IDC_CLOCK_YEAR)) << label;
    for (int id : groups) EXPECT_EQ(enabled.at(id), c.groups) << label << " id " << id;
    for (int id : dateControls) EXPECT_EQ(enabled.at(id), c.dateControls) << label << " id " << id;
    for (int id : clockControls) EXPECT_EQ(enabled.at(id), c.clockControls) << label << " id " << id;
  }
}

TEST(ClockLayout, DateAndClockTakeTwoLinesEitherAloneOne) {
  struct Case {
    int id, state;       // the click
    int showCal, showClock, oneLine;  // the record before it
    int expectedOneLine;
  } cases[] = {
      {IDC_CLOCK_CLOCK, 0, 1, 1, 0, 1},  // clock off: one line
      {IDC_CLOCK_CLOCK, 1, 1, 0, 1, 0},  // clock on again: two lines
      {IDC_CLOCK_DATE, 0, 1, 1, 0, 1},
      {IDC_CLOCK_DATE, 1, 0, 1, 1, 0},
      {IDC_CLOCK_DATE, 1, 0, 0, 0, 1},   // date alone
      {IDC_CLOCK_CLOCK, 0, 0, 1, 0, 1},  // nothing left
  };
  for (const Case& c : cases) {
    Settings s;
    s.ShowCal = c.showCal, s.ShowClock = c.showClock, s.OneLine = c.oneLine;
    const ClockReaction reaction = ClockControlChanged(c.id, c.state, s).value();
    EXPECT_EQ(s.OneLine, c.expectedOneLine) << c.id << " " << c.state;
    EXPECT_TRUE(reaction.layoutChanged);
    EXPECT_TRUE(reaction.enablingChanged);
    // The matching radio button is the one shown selected.
    const int selected = c.expectedOneLine ? IDC_CLOCK_ONE_LINE : IDC_CLOCK_TWO_LINES;
    EXPECT_EQ(ShownState(*FindBinding(ClockBindings(), selected), s), 1);
  }
}

TEST(RadioMappings, StoredFlagsSelectTheButtons) {
  struct Case {
    int32_t Settings::*field;
    int first, second;
  } groups[] = {{&Settings::PosLeft, IDC_CLOCK_LEFT, IDC_CLOCK_RIGHT},
                {&Settings::OneLine, IDC_CLOCK_ONE_LINE, IDC_CLOCK_TWO_LINES},
                {&Settings::Type12h, IDC_CLOCK_12H, IDC_CLOCK_24H}};
  for (const Case& g : groups) {
    for (int32_t value : {0, 1, 7, -1}) {
      Settings s;
      s.*g.field = value;
      const int first = ShownState(*FindBinding(ClockBindings(), g.first), s);
      const int second = ShownState(*FindBinding(ClockBindings(), g.second), s);
      EXPECT_EQ(first, value != 0 ? 1 : 0) << g.first << " value " << value;
      EXPECT_EQ(second, value != 0 ? 0 : 1) << g.second << " value " << value;
    }
  }
  // "PosLeft" 0 selects "Right"; choosing "Left" writes 1.
  Settings s;
  s.PosLeft = 0;
  ClockControlChanged(IDC_CLOCK_LEFT, 1, s);
  EXPECT_EQ(s.PosLeft, 1);
}

TEST(FontChoice, StoresFontColourAndWholePoints) {
  Settings s;
  ChosenFont chosen;
  chosen.font.Height = -13;
  chosen.font.Weight = 400;
  chosen.font.Italic = 1;
  std::snprintf(chosen.font.FaceName, sizeof(chosen.font.FaceName), "Tahoma");
  chosen.colour = 0x0080FF;
  chosen.pointSizeTenths = 105;  // 10.5 points
  EXPECT_EQ(StoreChosenFont(chosen, s), BarOperations{BarOperation::kRedockAfterOptions});
  EXPECT_TRUE(s.Font == chosen.font);
  EXPECT_EQ(s.ColorText, 0x0080FF);
  EXPECT_EQ(s.FontSize, 10);
  EXPECT_EQ(FontLabel(s), "Tahoma, 10 pt");
}

// The font is kept as it measures at 96 DPI: the dialog at another scale
// starts from it scaled and its answer is taken back, so the point size
// stays and the kept height stays within what the settings file holds.
TEST(FontChoice, KeptAtTheBaseScaleWhateverTheDialogsScale) {
  const struct {
    int dpi, kept, shown;
  } cases[] = {
      {96, -11, -11},  {120, -11, -14},  // 13.75
      {144, -11, -17},                   // 16.5 rounds away from zero
      {192, -11, -22}, {192, -200, -400}, {0, -13, -13},
  };
  for (const auto& c : cases) {
    FontRecord kept;
    kept.Height = c.kept;
    kept.Width = c.kept / 2;
    const FontRecord shown = FontAtScale(kept, c.dpi);
    EXPECT_EQ(shown.Height, c.shown) << c.dpi;
    Settings s;
    StoreChosenFont({shown, 0, 80}, s, c.dpi);
    EXPECT_EQ(s.Font.Height, c.kept) << "back at 96 from " << c.dpi;
    EXPECT_EQ(s.Font.Width, kept.Width) << c.dpi;
  }
  // 8 points chosen at 144 DPI (16 pixels there) are 8 points' 11 pixels at 96.
  Settings s;
  FontRecord eight;
  eight.Height = -16;
  StoreChosenFont({eight, 0, 80}, s, 144);
  EXPECT_EQ(s.Font.Height, -11);
  EXPECT_EQ(s.FontSize, 8);
}

TEST(FontLabel, FaceNameFillingTheWholeFieldIsCutAtItsEnd) {
  Settings s;
  std::memset(s.Font.FaceName, 'A', sizeof(s.Font.FaceName));  // no terminating zero
  s.FontSize = 8;
  EXPECT_EQ(FontLabel(s), std::string(32, 'A') + ", 8 pt");
  s.Font.FaceName[0] = '\0';
  s.FontSize = 0;
  EXPECT_EQ(FontLabel(s), ", 0 pt");
}

// The Monitor list as the page fills it: the entry of the stored choice is
// selected, and a chosen monitor that is not connected stays, last.
TEST(MonitorList, ShowsEveryMonitorAndTheStoredChoice) {
  const Monitors monitors{{"\\\\.\\DISPLAY1", {0, 0, 1280, 800}, {}, true},
                          {"\\\\.\\DISPLAY2", {1280, 0, 2304, 768}, {}, false}};
  const MonitorChoice gone{"\\\\.\\DISPLAY3", {0, 0, 1920, 1080}};
  const MonitorList moved = ListMonitorEntries(monitors, {"\\\\.\\DISPLAY2", {-1024, 0, 0, 768}}, "P", " (gone)");
  ASSERT_EQ(moved.entries.size(), 3u);
  EXPECT_EQ(moved.entries[2].label, "2: 1024 x 768");
  EXPECT_EQ(moved.selected, 2);
  const MonitorList absent = ListMonitorEntries(monitors, gone, "P", " (gone)");
  ASSERT_EQ(absent.entries.size(), 4u);
  EXPECT_EQ(absent.entries[3].label, "3: 1920 x 1080 (gone)");
  EXPECT_EQ(absent.entries[3].choice, gone);
  EXPECT_EQ(absent.selected, 3);
  EXPECT_EQ(ListMonitorEntries(monitors, {}, "P", "").selected, 0);
}

}  // namespace
