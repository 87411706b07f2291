// Finding the monitor the user chose among the monitors there are now.
#include <gtest/gtest.h>

#include "platform/monitors.h"

namespace {

// The primary monitor, one to its right and one above its left half.
const MonitorInfo kOne{"\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, {}, true};
const MonitorInfo kTwo{"\\\\.\\DISPLAY2", {1920, 0, 3200, 1024}, {}};
const MonitorInfo kThree{"\\\\.\\DISPLAY3", {0, -768, 1024, 0}, {}};

MonitorInfo As(MonitorInfo m, const char* name, Rect rect) {
  m.name = name;
  m.rect = rect;
  return m;
}

TEST(ChosenMonitor, IsFoundByNameOrByRectangle) {
  const MonitorChoice two = ChoiceOf(kTwo);
  const struct {
    const char* what;
    Monitors monitors;
    MonitorChoice choice;
    int found;
  } cases[] = {
      {"the primary choice", {kTwo, kOne}, {}, 1},
      {"name and rectangle", {kOne, kTwo, kThree}, two, 1},
      {"moved to the left side", {kOne, As(kTwo, "\\\\.\\DISPLAY2", {-1280, 0, 0, 1024})}, two, 1},
      {"moved and resized", {kOne, As(kTwo, "\\\\.\\DISPLAY2", {1920, 0, 3840, 1080})}, two, 1},
      {"renumbered", {kOne, As(kTwo, "\\\\.\\DISPLAY5", kTwo.rect)}, two, 1},
      {"names swapped", {As(kThree, "\\\\.\\DISPLAY2", kThree.rect), As(kTwo, "\\\\.\\DISPLAY3", kTwo.rect)}, two, 1},
      {"unplugged", {kOne, kThree}, two, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(FindChosenMonitor(c.monitors, c.choice), c.found) << c.what;
  MonitorInfo unmarked = kOne;
  unmarked.primary = false;
  EXPECT_EQ(MonitorForBar({kThree, kOne}, two), kOne) << "gone: the primary";
  EXPECT_EQ(MonitorForBar({kThree, unmarked}, two), unmarked) << "none marked primary: the one at the origin";
  EXPECT_FALSE(MonitorForBar({}, two));
}

TEST(ChosenMonitor, NumberAndCentre) {
  EXPECT_EQ(MonitorNumber(As(kTwo, "\\\\.\\DISPLAY12", {}), 0), 12);
  EXPECT_EQ(MonitorNumber(As(kTwo, "1234", {}), 3), 4) << "no device name: the place in the list";
  EXPECT_EQ(MonitorNumber(As(kTwo, "\\\\.\\DISPLAY99999999999", {}), 0), 1) << "no number that long";
  EXPECT_EQ(CentredIn({-1280, 0, 0, 1024}, {400, 301}), (Rect{-840, 361, -440, 662}));
}

}  // namespace
