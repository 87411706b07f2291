// A click on a launch button arrives inside the buttons toolbar's own
// notification; the bar window launches at once and posts the return to the
// home bar, which rebuilds that toolbar. Launch in two halves must act as one.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "barwnd/window/bar_switcher.h"

namespace {

using Log = std::vector<std::string>;

class RecordingHost : public BarSwitchHost {
 public:
  int BarCount() override { return 3; }
  std::optional<HomeBarOptions> HomeBar() override { return home; }
  void ShowDisplayedBar() override { log.push_back("show"); }
  void LaunchButton(int bar, int commandId) override {
    log.push_back("launch " + std::to_string(bar) + " " + std::to_string(commandId));
  }
  void StartHomeTimer(int ms) override { log.push_back("start " + std::to_string(ms)); }
  void StopHomeTimer() override { log.push_back("stop"); }

  std::optional<HomeBarOptions> home = HomeBarOptions{0, true, true, 3000};
  Log log;
};

TEST(BarSwitcherPostedReturn, LaunchesFirstAndReturnsOnlyWhenAsked) {
  RecordingHost host;
  BarSwitcher bars(host, 0);
  bars.SwitchTo(1);
  host.log.clear();
  EXPECT_TRUE(bars.LaunchOnly(1190));
  EXPECT_EQ(host.log, (Log{"launch 1 1190"}));
  EXPECT_EQ(bars.Displayed(), 1) << "the toolbar that was clicked is still there";
  EXPECT_TRUE(bars.ReturnPending());

  bars.ReturnAfterLaunch();
  EXPECT_EQ(host.log, (Log{"launch 1 1190", "show", "start 3000", "stop"}));
  EXPECT_EQ(bars.Displayed(), 0);
  EXPECT_FALSE(bars.ReturnPending());

  // A second posted return finds nothing pending.
  bars.ReturnAfterLaunch();
  EXPECT_EQ(host.log.size(), 4u);
}

TEST(BarSwitcherPostedReturn, NothingIsLaunchedOrPostedWithoutADisplayedBar) {
  RecordingHost host;
  BarSwitcher bars(host, 5);
  EXPECT_FALSE(bars.LaunchOnly(1124));
  EXPECT_TRUE(host.log.empty());
}

}  // namespace
