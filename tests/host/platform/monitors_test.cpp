// Finding the monitor the user chose among the monitors there are now.
#include <gtest/gtest.h>

#include "platform/monitors.h"

namespace {

// The primary monitor, one to its right and one above its left half.
const MonitorInfo kOne{"\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true};
const MonitorInfo kTwo{"\\\\.\\DISPLAY2", {1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}};
const MonitorInfo kThree{"\\\\.\\DISPLAY3", {0, -768, 1024, 0}, {0, -768, 1024, 0}};

MonitorInfo Renamed(MonitorInfo m, const char* name) {
  m.name = name;
  return m;
}
MonitorInfo Moved(MonitorInfo m, Rect rect) {
  m.rect = m.work = rect;
  return m;
}

TEST(ChosenMonitor, IsFoundByNameOrByRectangle) {
  const MonitorChoice two = ChoiceOf(kTwo);
  struct Case {
    const char* what;
    Monitors monitors;
    MonitorChoice choice;
    int found;
  };
  const Case cases[] = {
      {"the primary choice", {kTwo, kOne}, {}, 1},
      {"name and rectangle", {kOne, kTwo, kThree}, two, 1},
      {"moved to the left side", {kOne, Moved(kTwo, {-1280, 0, 0, 1024})}, two, 1},
      {"moved and resized", {kOne, Moved(kTwo, {1920, 0, 3840, 1080})}, two, 1},
      {"renumbered", {kOne, Renamed(kTwo, "\\\\.\\DISPLAY5")}, two, 1},
      {"names swapped, same places", {Renamed(kThree, "\\\\.\\DISPLAY2"), Renamed(kTwo, "\\\\.\\DISPLAY3"), kOne},
       two, 1},
      {"unplugged", {kOne, kThree}, two, -1},
      {"nothing listed", {}, two, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(FindChosenMonitor(c.monitors, c.choice), c.found) << c.what;
}

TEST(ChosenMonitor, AbsentOneLeavesTheBarOnThePrimary) {
  MonitorInfo unmarked = kOne;
  unmarked.primary = false;
  EXPECT_EQ(MonitorForBar({kThree, kOne}, ChoiceOf(kTwo)), kOne);
  EXPECT_EQ(MonitorForBar({kThree, unmarked}, ChoiceOf(kTwo)), unmarked) << "the one at the origin";
  EXPECT_EQ(MonitorForBar({kThree, kTwo}, {}), kThree) << "none at the origin: the first";
  EXPECT_FALSE(MonitorForBar({}, {}));
}

TEST(MonitorNumber, ComesFromTheDeviceNameElseTheListPlace) {
  EXPECT_EQ(MonitorNumber(kTwo, 0), 2);
  EXPECT_EQ(MonitorNumber(Renamed(kTwo, "\\\\.\\DISPLAY12"), 0), 12);
  EXPECT_EQ(MonitorNumber(Renamed(kTwo, ""), 3), 4);
  EXPECT_EQ(MonitorNumber(Renamed(kTwo, "1234"), 3), 4);
  EXPECT_EQ(MonitorNumber(Renamed(kTwo, "\\\\.\\DISPLAY99999999999"), 0), 1) << "no number that long";
}

TEST(CentredIn, AMonitorLeftOfThePrimary) {
  EXPECT_EQ(CentredIn({-1280, 0, 0, 1024}, {400, 301}), (Rect{-840, 361, -440, 662}));
}

}  // namespace
