// One opening of the sheet: the order around it, Cancel giving back the
// record as it was, and the tray icon and start-up shortcut following Cancel.
#include "options/options_session.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "options/clock_page_rules.h"
#include "options/program_page_rules.h"
#include "options/view_page_rules.h"
#include "options_ids.h"
#include "recording_host.h"

namespace {

using Calls = std::vector<std::string>;

class OptionsSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    record_.SysTrayIcon = 1;
    record_.StartWindows = 1;
    std::snprintf(record_.Font.FaceName, sizeof(record_.Font.FaceName), "Arial");
    record_.FontSize = 9;
  }

  void Click(const ControlBindings& bindings, int id, int state) {
    session_.Perform(StoreControl(bindings, id, state, record_).value());
  }

  Settings record_;
  RecordingHost host_;
  OptionsSession session_{record_, host_};
};

TEST_F(OptionsSessionTest, OpensWithTheFlagAndClosesWithWriteFlagAndRepaint) {
  session_.Begin();
  EXPECT_EQ(host_.calls, Calls{"DialogOpen(1)"});
  host_.calls.clear();
  session_.End();
  EXPECT_EQ(host_.calls, (Calls{"Write", "DialogOpen(0)", "Repaint"}));
}

TEST_F(OptionsSessionTest, CancelAfterManyChangesGivesBackTheRecordFontIncluded) {
  session_.Begin();
  const Settings before = record_;
  session_.Perform(ClockControlChanged(IDC_CLOCK_DATE, 0, record_)->operations);
  session_.Perform(ClockControlChanged(IDC_CLOCK_DATE_FORMAT, 7, record_)->operations);
  session_.Perform(ClockControlChanged(IDC_CLOCK_RIGHT, 1, record_)->operations);
  Click(ViewBindings(), IDC_VIEW_LARGE, 1);
  session_.Perform(UseStandardColors({1, 2, 3}, record_));
  ChosenFont font;
  std::snprintf(font.font.FaceName, sizeof(font.font.FaceName), "Courier New");
  font.font.Height = -20;
  font.pointSizeTenths = 150;
  font.colour = 0xFF;
  session_.Perform(StoreChosenFont(font, record_));
  Click(ProgramBindings(), IDC_PROG_LOGO, 0);
  ASSERT_FALSE(record_ == before);

  host_.calls.clear();
  session_.Cancel();
  session_.Cancel();  // every shown page sends it; the bar is asked once
  EXPECT_TRUE(record_ == before);
  EXPECT_TRUE(record_ == session_.Snapshot());
  EXPECT_STREQ(record_.Font.FaceName, "Arial");
  EXPECT_EQ(record_.FontSize, 9);
  // Applying does not dock: the bigger buttons and font must give their room back.
  // Neither the tray icon nor the shortcut were touched: nothing more to put back.
  EXPECT_EQ(host_.calls, (Calls{"ApplyOptions", "Redock"}));
}

TEST_F(OptionsSessionTest, CancelRedocksOnlyWhenAPageChangedTheBarsShape) {
  struct Case {
    const char* what;
    std::function<BarOperations(Settings&)> change;
    Calls cancelCalls;
  } cases[] = {
      {"nothing", [](Settings&) { return BarOperations{}; }, {"ApplyOptions"}},
      {"logo", [](Settings& s) { return StoreControl(ProgramBindings(), IDC_PROG_LOGO, 0, s).value(); },
       {"ApplyOptions"}},
      {"panel colour", [](Settings& s) { return StoreChosenColor(*FindSwatch(IDC_VIEW_PANEL_BK), 5, s); },
       {"ApplyOptions"}},
      {"large buttons", [](Settings& s) { return StoreControl(ViewBindings(), IDC_VIEW_LARGE, 1, s).value(); },
       {"ApplyOptions", "Redock"}},
      {"seconds", [](Settings& s) { return ClockControlChanged(IDC_CLOCK_SECONDS, 0, s)->operations; },
       {"ApplyOptions", "Redock"}},
  };
  for (const Case& c : cases) {
    Settings record = record_;
    RecordingHost host;
    OptionsSession session(record, host);
    session.Begin();
    session.Perform(c.change(record));
    host.calls.clear();
    session.Cancel();
    EXPECT_EQ(host.calls, c.cancelCalls) << c.what;
  }
}

TEST_F(OptionsSessionTest, CancelPutsTheTooltipsTheTrayIconAndTheShortcutBack) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> clicks;  // program page check boxes and their new state
    Calls cancelCalls;
  } cases[] = {
      {"tray removed", {{IDC_PROG_TRAY, 0}}, {"ApplyOptions", "Tray(1)"}},
      {"shortcut deleted", {{IDC_PROG_STARTUP, 0}}, {"ApplyOptions", "AddStartup"}},
      {"both", {{IDC_PROG_STARTUP, 0}, {IDC_PROG_TRAY, 0}}, {"ApplyOptions", "Tray(1)", "AddStartup"}},
      // Off and on again: the bar already shows what the record will say.
      {"tray off and on", {{IDC_PROG_TRAY, 0}, {IDC_PROG_TRAY, 1}}, {"ApplyOptions"}},
      {"shortcut off and on", {{IDC_PROG_STARTUP, 0}, {IDC_PROG_STARTUP, 1}}, {"ApplyOptions"}},
      {"tooltips off", {{IDC_PROG_TOOLTIPS, 0}}, {"ApplyOptions", "Tooltips"}},
  };
  for (const Case& c : cases) {
    Settings record = record_;
    RecordingHost host;
    OptionsSession session(record, host);
    session.Begin();
    for (auto [id, state] : c.clicks) session.Perform(StoreControl(ProgramBindings(), id, state, record).value());
    host.calls.clear();
    session.Cancel();
    EXPECT_EQ(host.calls, c.cancelCalls) << c.what;
    EXPECT_EQ(record.SysTrayIcon, 1) << c.what;
    EXPECT_EQ(record.StartWindows, 1) << c.what;
  }
}

}  // namespace
