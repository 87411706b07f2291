#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "barwnd/window/bar_switcher.h"

namespace {

// Three bars; bar 0 is the home bar when `home` is set. Every effect on the
// window is logged in order.
class LoggingHost : public BarSwitchHost {
 public:
  int BarCount() override { return bars; }
  std::optional<HomeBarOptions> HomeBar() override { return home; }
  void ShowDisplayedBar() override { log.push_back("show"); }
  void LaunchButton(int bar, int commandId) override {
    log.push_back("launch " + std::to_string(bar) + " " + std::to_string(commandId));
  }
  void StartHomeTimer(int ms) override { log.push_back("start " + std::to_string(ms)); }
  void StopHomeTimer() override { log.push_back("stop"); }

  int bars = 3;
  std::optional<HomeBarOptions> home;
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST(InitialDisplayedBar, PrefersAValidHomeBarThenTheStoredIndex) {
  EXPECT_EQ(InitialDisplayedBar(2, 1, 3), 2);
  EXPECT_EQ(InitialDisplayedBar(-1, 1, 3), 1);
  EXPECT_EQ(InitialDisplayedBar(5, 1, 3), 1);
  EXPECT_EQ(InitialDisplayedBar(-1, 3, 3), 0);
  EXPECT_EQ(InitialDisplayedBar(-1, -2, 3), 0);
}

TEST(BarSwitcher, HomeBarOnTimerComesBackWhenTheTimerFires) {
  LoggingHost host;
  host.home = HomeBarOptions{0, false, true, 5000};
  BarSwitcher bars(host, 0);
  bars.SwitchTo(0);  // already shown
  bars.SwitchTo(2);
  EXPECT_EQ(host.log, (Log{"show", "start 5000"}));
  bars.OnHomeTimer();
  EXPECT_EQ(bars.Displayed(), 0);
  EXPECT_EQ(host.log, (Log{"show", "start 5000", "show", "start 5000", "stop"}));
}

TEST(BarSwitcher, HomeBarOnLaunchComesBackRightAfterALaunch) {
  LoggingHost host;
  host.home = HomeBarOptions{0, true, true, 3000};
  BarSwitcher bars(host, 0);
  bars.SwitchTo(1);
  bars.Launch(1190);
  EXPECT_EQ(bars.Displayed(), 0);
  EXPECT_FALSE(bars.ReturnPending());
  EXPECT_EQ(host.log, (Log{"show", "start 3000", "launch 1 1190", "show", "start 3000", "stop"}));
}

TEST(BarSwitcher, NoReturnWithoutAPendingSwitchOrAHomeBar) {
  LoggingHost host;
  host.home = HomeBarOptions{1, true, false, 0};
  BarSwitcher bars(host, 0);
  bars.Launch(1124);  // nothing switched since start: nothing pending
  EXPECT_EQ(bars.Displayed(), 0);

  host.home = HomeBarOptions{7, true, false, 0};  // names no bar any more
  bars.SwitchTo(2);
  bars.Launch(1252);
  EXPECT_EQ(host.log, (Log{"launch 0 1124", "show", "launch 2 1252"}));
}

TEST(BarSwitcher, LaunchNeedsADisplayedBar) {
  LoggingHost host;
  host.bars = 0;
  BarSwitcher bars(host, 0);
  bars.Launch(1124);
  EXPECT_TRUE(host.log.empty());
}

TEST(BarCommands, RangesMeetWithoutOverlap) {
  EXPECT_FALSE(IsButtonCommand(1123));
  EXPECT_TRUE(IsButtonCommand(1124));
  EXPECT_TRUE(IsButtonCommand(17508));
  EXPECT_FALSE(IsButtonCommand(17509));
  EXPECT_EQ(SwitchCommandBar(17508), -1);
  EXPECT_EQ(SwitchCommandBar(17509), 0);
  EXPECT_EQ(SwitchCommandBar(17765), 256);
  EXPECT_EQ(SwitchCommandBar(17766), -1);
}

TEST(SwitchButtonTipText, BarNameCutTo79OrTheEmptyText) {
  const std::string longName(100, 'x');
  const std::string shortName = "Tools";
  EXPECT_EQ(SwitchButtonTipText(&longName, "{ empty }"), std::string(79, 'x'));
  EXPECT_EQ(SwitchButtonTipText(&shortName, "{ empty }"), "Tools");
  EXPECT_EQ(SwitchButtonTipText(nullptr, "{ empty }"), "{ empty }");
}

}  // namespace
