// The bar's children around a clock whose text grows: the bar lays itself out
// again on the tick, so the panel is never cut and the buttons move along;
// and again when the system's clock is set back.
#include "barwnd/window/bar_children_win.h"

#include <gtest/gtest.h>

#include "core/message_texts.h"
#include "core/settings.h"
#include "db/cdb.h"
#include "platform/geometry_win.h"
#include "platform/window_win.h"
#include "support/pump_messages_win.h"

namespace {

Rect ChildRect(HWND child) { return ChildRectOf(child, ::GetParent(child)); }

TEST(BarChildrenClock, GrownTimeTextMovesTheSwitchButtonAlong) {
  Settings settings;
  lstrcpynA(settings.Font.FaceName, "Tahoma", LF_FACESIZE);
  settings.Font.CharSet = DEFAULT_CHARSET;
  settings.ShowBlock = 1;
  settings.ShowCal = 0;
  settings.ShowClock = 1;
  settings.Sec = 0;
  settings.PosLeft = 1;  // the panel at the near end, the switch button after it
  CDB db;
  MessageTexts texts;
  LocalTime now{2002, 1, 3, 23, 9, 59, 58};

  Window bar;
  ASSERT_TRUE(bar.Create("QrChildrenClockBar", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, 0,
                         0, 800, 40, nullptr, nullptr));
  BarChildren children(settings, db, texts, nullptr, [] { return 1; }, [] { return -1; }, [&] { return now; });
  children.SetBar(bar.Hwnd());
  ASSERT_TRUE(children.MatchClockPanelToSettings());
  children.RebuildSwitchButton();
  ASSERT_NE(children.ClockPanelWindow(), nullptr);
  ASSERT_NE(children.SwitchToolbar(), nullptr);
  const Rect panelBefore = ChildRect(children.ClockPanelWindow());
  const Rect switchBefore = ChildRect(children.SwitchToolbar());
  EXPECT_EQ(switchBefore.left, panelBefore.Width() + 22);

  now.Hour = 10;
  now.Minute = 0;
  PumpMessages(2500, [&] { return ChildRect(children.ClockPanelWindow()).Width() > panelBefore.Width(); });
  const Rect panelAfter = ChildRect(children.ClockPanelWindow());
  EXPECT_GT(panelAfter.Width(), panelBefore.Width());
  EXPECT_EQ(ChildRect(children.SwitchToolbar()).left, panelAfter.Width() + 22);

  // The clock is set back: the bar tells the panel, which shows the new time
  // at once and ticks at its next minute, not a minute after the old one's.
  now.Hour = 9;
  now.Minute = 59;
  now.Second = 59;
  children.ClockChanged();
  EXPECT_EQ(ChildRect(children.ClockPanelWindow()).Width(), panelBefore.Width());
  now.Hour = 10;
  now.Minute = 0;
  PumpMessages(2500, [&] { return ChildRect(children.ClockPanelWindow()).Width() > panelBefore.Width(); });
  EXPECT_EQ(ChildRect(children.ClockPanelWindow()).Width(), panelAfter.Width());
}

}  // namespace
