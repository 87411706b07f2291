#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "barwnd/dock/appbar_controller.h"

namespace {

using Log = std::vector<std::string>;

std::string Str(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// Both doubles write to one log, so a test reads the whole conversation in
// order: shell requests and what happened to the window.
class FakeShell : public AppBarShell {
 public:
  explicit FakeShell(Log& log) : log_(log) {}
  bool New(int edge) override { return Note("new " + std::to_string(edge), acceptNew); }
  void Remove() override { log_.push_back("remove"); }
  Rect QueryPos(int edge, const Rect& r) override { return query(edge, r); }
  Rect SetPos(int edge, const Rect& r) override {
    log_.push_back("setpos " + std::to_string(edge) + " " + Str(r));
    return setPos(edge, r);
  }
  // The slot of a monitor other than the primary one is logged with its name.
  bool SetAutoHideBar(int edge, bool on, const MonitorInfo& m) override {
    const std::string where = m.primary ? "" : " " + m.name;
    return Note("autohide " + std::to_string(edge) + (on ? " on" : " off") + where, !on || acceptAutoHide);
  }
  bool GetAutoHideBar(int) override { return !acceptAutoHide; }
  void Activate() override { log_.push_back("activate"); }
  void WindowPosChanged() override { log_.push_back("poschanged"); }

  bool acceptNew = true;
  bool acceptAutoHide = true;
  std::function<Rect(int, const Rect&)> query = [](int, const Rect& r) { return r; };
  std::function<Rect(int, const Rect&)> setPos = [](int, const Rect& r) { return r; };

 private:
  bool Note(std::string entry, bool result) {
    log_.push_back(entry + (result ? "" : " refused"));
    return result;
  }
  Log& log_;
};

// 1024 x 768 screen, thickness 30; the window's rectangle follows every move.
// A move that activates the window is logged as "move", one that leaves the
// focus where it is as "place"; an immediate repaint as "paint".
class FakeWindow : public AppBarWindow {
 public:
  explicit FakeWindow(Log& log) : log_(log) {}
  MonitorInfo BarMonitor() override { return monitor; }
  int BarThickness(int) override { return 30; }
  int Dpi() override { return dpi; }
  Rect ScreenRect() override { return rect; }
  void Place(const Rect& r, ZOrder order, Activation activation) override {
    rect = r;
    log_.push_back(std::string(activation == Activation::kActivate ? "move " : "place ") + Str(r) + Suffix(order));
  }
  void SetZOrder(ZOrder order) override { log_.push_back(Name(order)); }
  void UpdateNow() override { log_.push_back("paint"); }
  uint32_t TickCount() override {
    if (ticks.empty()) return last += 1000;
    last = ticks.front();
    ticks.pop_front();
    return last;
  }
  bool Smoothly() override { return !ticks.empty(); }
  void StartAutoHideTimer() override { log_.push_back("timer on"); }
  void StopAutoHideTimer() override { log_.push_back("timer off"); }
  void RebuildButtons() override { log_.push_back("rebuild"); }
  void ShowMessage(int id) override { log_.push_back("message " + std::to_string(id)); }
  FullScreenPlace FrontFullScreen(const Rect&) override { return fullScreenInFront; }

  Rect rect{0, 0, 600, 80};
  MonitorInfo monitor{"\\\\.\\DISPLAY1", {0, 0, 1024, 768}, {0, 0, 1024, 768}, true, 96};
  std::deque<uint32_t> ticks;  // a smooth slide when set
  uint32_t last = 5000;
  FullScreenPlace fullScreenInFront = FullScreenPlace::kNone;
  int dpi = 96;

 private:
  static std::string Name(ZOrder order) {
    switch (order) {
      case ZOrder::kTopmost: return "topmost";
      case ZOrder::kBottom: return "bottom";
      case ZOrder::kNormal: break;
    }
    return "normal";
  }
  static std::string Suffix(ZOrder order) { return order == ZOrder::kNormal ? "" : " " + Name(order); }
  Log& log_;
};

class AppBarControllerTest : public ::testing::Test {
 protected:
  AppBarController Make(int edge, bool autoHide, bool alwaysOnTop = false) {
    AppBarState state;
    state.edge = edge;
    state.autoHide = autoHide;
    state.alwaysOnTop = alwaysOnTop;
    return AppBarController(shell, window, state);
  }
  // Docks, then starts the log afresh for the part under test.
  AppBarController Docked(int edge, bool autoHide, bool alwaysOnTop = false) {
    AppBarController bar = Make(edge, autoHide, alwaysOnTop);
    EXPECT_TRUE(bar.Dock());
    log.clear();
    return bar;
  }
  void MouseAway(AppBarController& bar) { bar.CheckAutoHide({500, 400}, {4, 4}); }

  Log log;
  FakeShell shell{log};
  FakeWindow window{log};
};

// Docking also happens while the options sheet is open (the look changed):
// the window is placed without being activated, so the sheet keeps the focus.
TEST_F(AppBarControllerTest, DockReservesTheQueriedRectangleAndTakesTheReturnedOneWithoutActivating) {
  shell.query = [](int, const Rect& r) { return Rect{r.left, 20, r.right - 24, 25}; };
  shell.setPos = [](int, const Rect&) { return Rect{0, 22, 1000, 52}; };
  AppBarController bar = Make(kEdgeTop, false);
  EXPECT_TRUE(bar.Dock());
  EXPECT_EQ(log, (Log{"new 1", "setpos 1 0,20,1000,50", "place 0,22,1000,52"}));
  EXPECT_EQ(bar.State().current, (Rect{0, 22, 1000, 52}));
  EXPECT_TRUE(bar.State().registered);
}

// At 150 % the strip left showing is 3 pixels on the bottom edge (2 at 96),
// both where the shell reserves it and where a slide in ends.
TEST_F(AppBarControllerTest, StripScalesWithTheBarsDisplayScale) {
  window.dpi = 144;
  AppBarController bar = Docked(kEdgeBottom, true);
  EXPECT_EQ(window.rect, (Rect{0, 765, 1024, 768}));
  bar.OnMouseMove();
  MouseAway(bar);
  EXPECT_EQ(log, (Log{"place 0,738,1024,768 topmost", "paint", "place 0,765,1024,768 topmost", "paint"}));
}

// Re-docked while one of its dialogs is open (the options sheet changed the
// look), an autohide bar reserves only its strip but stays out, so the user
// sees the change; once the dialog has closed, it collapses as usual.
TEST_F(AppBarControllerTest, AutoHideBarDockedUnderItsOwnDialogStaysOut) {
  AppBarController bar = Docked(kEdgeTop, true);
  bar.SetDialogOpen(true);
  bar.Undock();
  bar.Dock();
  EXPECT_EQ(log, (Log{"autohide 1 off", "remove", "rebuild", "new 1", "autohide 1 on", "setpos 1 0,0,1024,1",
                      "timer on", "place 0,0,1024,30 topmost"}));
  EXPECT_TRUE(bar.State().shown);
  MouseAway(bar);
  EXPECT_TRUE(bar.State().shown);
  bar.SetDialogOpen(false);
  MouseAway(bar);
  EXPECT_FALSE(bar.State().shown);
  EXPECT_EQ(window.rect, (Rect{0, 0, 1024, 1}));
}

// However the bar came onto its strip, it counts as collapsed there, so the
// first touch of the strip brings the whole bar out.
struct StripCase {
  const char* how;
  std::function<void(AppBarController&)> act;
};

class StripTouch : public AppBarControllerTest, public ::testing::WithParamInterface<StripCase> {};

TEST_P(StripTouch, FirstTouchSlidesTheBarOut) {
  AppBarController bar = Make(kEdgeTop, GetParam().how == std::string("toggled on") ? false : true);
  ASSERT_TRUE(bar.Dock());
  GetParam().act(bar);
  ASSERT_EQ(window.rect, (Rect{0, 0, 1024, 1}));
  log.clear();
  bar.OnMouseMove();
  EXPECT_EQ(log, (Log{"place 0,0,1024,30 topmost", "paint"}));
  EXPECT_TRUE(bar.State().shown);
}

INSTANTIATE_TEST_SUITE_P(
    WaysOntoTheStrip, StripTouch,
    ::testing::Values(StripCase{"docked", [](AppBarController&) {}},
                      StripCase{"toggled on", [](AppBarController& bar) { bar.ToggleAutoHide(); }},
                      StripCase{"docked again while out",
                                [](AppBarController& bar) {
                                  bar.OnMouseMove();
                                  bar.Undock();
                                  bar.Dock();
                                }},
                      StripCase{"edge changed", [](AppBarController& bar) { bar.SetEdge(kEdgeTop); }}),
    [](const ::testing::TestParamInfo<StripCase>& info) {
      std::string name = info.param.how;
      for (char& c : name) c = c == ' ' ? '_' : c;
      return name;
    });

TEST_F(AppBarControllerTest, TakenAutoHideSlotAtDockFallsBackSilently) {
  shell.acceptAutoHide = false;
  AppBarController bar = Make(kEdgeTop, true);
  EXPECT_TRUE(bar.Dock());
  EXPECT_EQ(log, (Log{"new 1", "autohide 1 on refused", "timer off", "setpos 1 0,0,1024,30", "place 0,0,1024,30"}));
  EXPECT_FALSE(bar.State().autoHide);
}

TEST_F(AppBarControllerTest, TakenAutoHideSlotAtToggleShowsMessage50AndStaysDocked) {
  shell.acceptAutoHide = false;
  AppBarController bar = Docked(kEdgeTop, false);
  bar.ToggleAutoHide();
  EXPECT_EQ(log, (Log{"autohide 1 on refused", "message 50", "setpos 1 0,0,1024,30", "move 0,0,1024,30"}));
  EXPECT_FALSE(bar.State().autoHide);
}

TEST_F(AppBarControllerTest, AutoHideOnCollapseTouchAndOff) {
  AppBarController bar = Docked(kEdgeBottom, false);
  bar.ToggleAutoHide();
  EXPECT_FALSE(bar.State().shown);
  bar.OnMouseMove();
  EXPECT_TRUE(bar.State().shown);
  bar.SetDialogOpen(true);  // nothing collapses while a dialog of the bar is open
  MouseAway(bar);
  EXPECT_TRUE(bar.State().shown);
  bar.SetDialogOpen(false);
  bar.CheckAutoHide({500, 730}, {4, 4});  // within twice the double-click size
  EXPECT_TRUE(bar.State().shown);
  MouseAway(bar);
  EXPECT_FALSE(bar.State().shown);
  bar.ToggleAutoHide();
  EXPECT_TRUE(bar.State().shown);
  EXPECT_EQ(log, (Log{"autohide 3 on", "setpos 3 0,766,1024,768", "timer on", "move 0,766,1024,768 topmost",
                      "place 0,738,1024,768 topmost", "paint", "place 0,766,1024,768 topmost", "paint",
                      "autohide 3 off", "setpos 3 0,738,1024,768", "timer off", "move 0,738,1024,768"}));
}

// The slide processes no messages, so each frame is painted as it is shown.
TEST_F(AppBarControllerTest, SmoothSlidePaintsTimedFramesThenTheFinalRectangle) {
  AppBarController bar = Docked(kEdgeTop, true);
  window.ticks = {2000, 2000, 2100, 2200};
  bar.OnMouseMove();
  window.ticks = {3000, 3000, 3100, 3200};
  MouseAway(bar);
  EXPECT_EQ(log, (Log{"place 0,0,1024,1 topmost", "paint", "place 0,0,1024,15 topmost", "paint",
                      "place 0,0,1024,30 topmost", "paint", "place 0,0,1024,30 topmost", "paint",
                      "place 0,0,1024,16 topmost", "paint", "place 0,0,1024,1 topmost", "paint"}));
}

// The old edge's autohide slot is given up before the bar leaves it, so that
// another bar may take it.
TEST_F(AppBarControllerTest, SetEdgeReleasesTheOldSlotAndDocksNormallyOnATakenOne) {
  AppBarController bar = Docked(kEdgeTop, true);
  shell.acceptAutoHide = false;
  EXPECT_TRUE(bar.SetEdge(kEdgeBottom));
  EXPECT_EQ(log, (Log{"autohide 1 off", "remove", "rebuild", "new 3", "autohide 3 on refused", "timer off",
                      "setpos 3 0,738,1024,768", "place 0,738,1024,768"}));
  EXPECT_EQ(bar.State().edge, kEdgeBottom);
  EXPECT_FALSE(bar.State().autoHide);
}

// An autohide bar docks on its strip, topmost. The end of the window releases
// the bar: its autohide slot, then its registration; the autohide flag stays
// for the settings. Docked again (the options changed the look), it is as it was.
TEST_F(AppBarControllerTest, AutoHideBarDocksOnItsStripAndAgainSoAfterItsRelease) {
  AppBarController bar = Make(kEdgeBottom, true);
  EXPECT_TRUE(bar.Dock());
  const Log docked = {"new 3", "autohide 3 on", "setpos 3 0,766,1024,768", "timer on", "place 0,766,1024,768 topmost"};
  EXPECT_EQ(log, docked);
  EXPECT_FALSE(bar.State().shown);
  log.clear();
  bar.Release();
  EXPECT_EQ(log, (Log{"autohide 3 off", "remove"}));
  EXPECT_FALSE(bar.State().registered);
  EXPECT_TRUE(bar.State().autoHide);
  bar.Release();  // the window's end after the logon's: nothing more to remove
  bar.OnShellNotify(kAppBarNotifyPosChanged);  // nothing to reserve for a bar that is gone
  EXPECT_EQ(log.size(), 2u);
  log.clear();
  EXPECT_TRUE(bar.Dock());
  EXPECT_EQ(log, docked);
  EXPECT_TRUE(bar.State().registered);
}

TEST_F(AppBarControllerTest, AnAutoHideBarStaysTopmostWithoutAlwaysOnTop) {
  AppBarController hidden = Make(kEdgeTop, true);
  hidden.ToggleAlwaysOnTop();
  hidden.ToggleAlwaysOnTop();
  AppBarController plain = Make(kEdgeTop, false);
  plain.ToggleAlwaysOnTop();
  plain.ToggleAlwaysOnTop();
  EXPECT_EQ(log, (Log{"topmost", "topmost", "topmost", "normal"}));
}

// Another appbar or the taskbar moved (the shell tells; a top bar), or the
// screen or its work area changed (1280 x 1024 now; a bottom bar): the bar
// asks again, reserves what it is given and goes to the rectangle the shell
// returns; an autohide bar reserves its strip and, when it is out, stays out.
struct ScreenCase {
  const char* name;
  bool display;
  bool autoHide;
  bool out;
  Log expected;
};

class ScreenChange : public AppBarControllerTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(ScreenChange, QueriesReservesAndPlaces) {
  const ScreenCase& c = GetParam();
  AppBarController bar = Docked(c.display ? kEdgeBottom : kEdgeTop, c.autoHide);
  if (c.out) bar.OnMouseMove();
  log.clear();
  if (c.display) {
    window.monitor.rect = {0, 0, 1280, 1024};
    EXPECT_FALSE(bar.OnDisplayChanged());
  } else {
    // A taskbar of 28 pixels now stands at the top; the shell moves what is
    // set two pixels further.
    shell.query = [](int, const Rect& r) { return Rect{r.left, 28, r.right, 40}; };
    shell.setPos = [](int, const Rect& r) { return Rect{r.left, r.top + 2, r.right, r.bottom + 2}; };
    for (int code : {0, 3, kAppBarNotifyPosChanged}) bar.OnShellNotify(code);  // state change, arrange: nothing
  }
  EXPECT_EQ(log, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ScreenChange,
    ::testing::Values(
        ScreenCase{"Docked", false, false, false, {"setpos 1 0,28,1024,58", "place 0,30,1024,60"}},
        ScreenCase{"Collapsed", false, true, false, {"setpos 1 0,28,1024,29", "place 0,30,1024,31 topmost"}},
        ScreenCase{"AutoHideOut", false, true, true, {"setpos 1 0,28,1024,29", "place 0,28,1024,58 topmost"}},
        ScreenCase{"DockedNewScreen", true, false, false, {"setpos 3 0,994,1280,1024", "place 0,994,1280,1024"}},
        ScreenCase{"CollapsedNewScreen", true, true, false,
                   {"setpos 3 0,1022,1280,1024", "place 0,1022,1280,1024 topmost"}},
        ScreenCase{"AutoHideOutNewScreen", true, true, true,
                   {"setpos 3 0,1022,1280,1024", "place 0,994,1280,1024 topmost"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppBarControllerTest, ActivationTellsTheShellAndShowsACollapsedBar) {
  AppBarController bar = Docked(kEdgeTop, true);
  bar.OnActivated();
  EXPECT_EQ(log, (Log{"activate", "place 0,0,1024,30 topmost", "paint"}));
}

// A full-screen application in front (video, game, slide show): the bar goes
// below everything and an autohide bar no longer slides out; when it has gone,
// the bar's own z-order rule applies again.
struct FullScreenCase {
  const char* name;
  bool alwaysOnTop;
  bool autoHide;
  const char* afterwards;
};

class FullScreenApp : public AppBarControllerTest, public ::testing::WithParamInterface<FullScreenCase> {};

TEST_P(FullScreenApp, KeepsTheBarBelowItAndNotOut) {
  const FullScreenCase& c = GetParam();
  AppBarController bar = Docked(kEdgeTop, c.autoHide, c.alwaysOnTop);
  bar.OnShellNotify(kAppBarNotifyFullScreenApp, true);
  bar.OnMouseMove();
  bar.OnActivated();
  for (int i = 0; i < 2; ++i) bar.ToggleAlwaysOnTop();
  EXPECT_EQ(log, (Log{"bottom", "activate", "bottom", "bottom"}));
  EXPECT_EQ(window.rect.Height(), c.autoHide ? 1 : 30);
  log.clear();
  bar.OnShellNotify(kAppBarNotifyFullScreenApp, false);
  EXPECT_EQ(log, (Log{c.afterwards}));
  if (!c.autoHide) return;
  bar.OnMouseMove();
  EXPECT_EQ(window.rect.Height(), 30);
}

INSTANTIATE_TEST_SUITE_P(Bars, FullScreenApp,
                         ::testing::Values(FullScreenCase{"AlwaysOnTop", true, false, "topmost"},
                                           FullScreenCase{"AutoHide", false, true, "topmost"},
                                           FullScreenCase{"Plain", false, false, "normal"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppBarControllerTest, AutoHideBarOutWhenAFullScreenAppComesCollapsesBelowIt) {
  AppBarController bar = Docked(kEdgeTop, true);
  bar.OnMouseMove();
  bar.OnShellNotify(kAppBarNotifyFullScreenApp, true);
  log.clear();
  MouseAway(bar);
  EXPECT_EQ(log, (Log{"place 0,0,1024,1 bottom", "paint"}));
}

// The shell tells only of changes, so a full-screen application already in
// front when the bar starts is looked for at the first dock; later docks
// (edge changes, options) leave the state to the shell's notifications.
TEST_F(AppBarControllerTest, FullScreenAppInFrontAtStartUp) {
  window.fullScreenInFront = FullScreenPlace::kBarMonitor;
  AppBarController bar = Make(kEdgeTop, false, true);
  ASSERT_TRUE(bar.Dock());
  EXPECT_EQ(log.back(), "place 0,0,1024,30 bottom");
  bar.OnShellNotify(kAppBarNotifyFullScreenApp, false);
  EXPECT_EQ(log.back(), "topmost");
  bar.SetEdge(kEdgeBottom);
  EXPECT_EQ(log.back(), "place 0,738,1024,768 topmost");
}

// The shell was not ready for the first dock: message 51, nothing placed and
// no autohide slot asked for; the bar waits, without a second message, until
// a new taskbar or a display change lets it in.
struct RetryCase {
  const char* name;
  bool (AppBarController::*event)();
};

class RefusedDock : public AppBarControllerTest, public ::testing::WithParamInterface<RetryCase> {};

TEST_P(RefusedDock, IsTriedAgainQuietlyUntilTheShellTakesIt) {
  shell.acceptNew = false;
  AppBarController bar = Make(kEdgeBottom, true);
  ASSERT_FALSE(bar.Dock());
  EXPECT_FALSE(bar.State().registered);
  EXPECT_FALSE((bar.*GetParam().event)());
  shell.acceptNew = true;
  EXPECT_TRUE((bar.*GetParam().event)());
  EXPECT_EQ(log, (Log{"new 3 refused", "message 51", "new 3 refused", "new 3", "autohide 3 on",
                      "setpos 3 0,766,1024,768", "timer on", "place 0,766,1024,768 topmost"}));
  EXPECT_TRUE(bar.State().registered);
  EXPECT_FALSE(bar.State().waiting);
  EXPECT_FALSE((bar.*GetParam().event)()) << "docked already";
}

INSTANTIATE_TEST_SUITE_P(Events, RefusedDock,
                         ::testing::Values(RetryCase{"TaskbarCreated", &AppBarController::OnTaskbarCreated},
                                           RetryCase{"DisplayChanged", &AppBarController::OnDisplayChanged}),
                         [](const auto& info) { return std::string(info.param.name); });

// The chosen monitor right of the primary one: unplugged, the bar gives up its
// slot there and docks on the primary; plugged in again, it goes back. A
// full-screen application on the other monitor leaves it as it is.
TEST_F(AppBarControllerTest, FollowsTheChosenMonitorAsItGoesAndComesBack) {
  const MonitorInfo primary = window.monitor;
  const MonitorInfo second{"\\\\.\\DISPLAY2", {1024, 0, 2304, 800}, {1024, 0, 2304, 800}, false, 96};
  window.monitor = second;
  AppBarController bar = Docked(kEdgeTop, true);
  window.monitor = primary;
  EXPECT_FALSE(bar.OnDisplayChanged());
  window.monitor = second;
  bar.OnDisplayChanged();
  EXPECT_EQ(log, (Log{"autohide 1 off \\\\.\\DISPLAY2", "remove", "new 1", "autohide 1 on", "setpos 1 0,0,1024,1",
                      "timer on", "place 0,0,1024,1 topmost", "autohide 1 off", "remove", "new 1",
                      "autohide 1 on \\\\.\\DISPLAY2", "setpos 1 1024,0,2304,1", "timer on",
                      "place 1024,0,2304,1 topmost"}));
  log.clear();
  window.fullScreenInFront = FullScreenPlace::kOtherMonitor;
  bar.OnShellNotify(kAppBarNotifyFullScreenApp, true);
  bar.OnMouseMove();
  EXPECT_EQ(log, (Log{"place 1024,0,2304,30 topmost", "paint"}));
}

// A shell that restarts while a full-screen application is in front never
// says that it has gone: the new taskbar clears the state, the bar rejoins
// with its own z-order and an autohide bar slides out again.
struct NewTaskbarCase {
  const char* name;
  bool autoHide;
  bool registered;
  Log expected;
};

class NewTaskbar : public AppBarControllerTest, public ::testing::WithParamInterface<NewTaskbarCase> {};

TEST_P(NewTaskbar, ForgetsTheFullScreenApplication) {
  const NewTaskbarCase& c = GetParam();
  AppBarController bar = Docked(kEdgeTop, c.autoHide);
  bar.OnShellNotify(kAppBarNotifyFullScreenApp, true);
  if (!c.registered) bar.Release();
  log.clear();
  EXPECT_FALSE(bar.OnTaskbarCreated());
  EXPECT_EQ(log, c.expected);
  EXPECT_FALSE(bar.State().fullScreen);
  EXPECT_EQ(bar.CurrentZOrder(), c.autoHide ? ZOrder::kTopmost : ZOrder::kNormal);
  if (!c.autoHide || !c.registered) return;
  bar.OnMouseMove();
  EXPECT_EQ(window.rect, (Rect{0, 0, 1024, 30}));
}

INSTANTIATE_TEST_SUITE_P(
    Bars, NewTaskbar,
    ::testing::Values(NewTaskbarCase{"Docked", false, true, {"remove", "new 1", "setpos 1 0,0,1024,30",
                                                             "place 0,0,1024,30"}},
                      NewTaskbarCase{"AutoHide", true, true, {"autohide 1 off", "remove", "new 1", "autohide 1 on",
                                                              "setpos 1 0,0,1024,1", "timer on",
                                                              "place 0,0,1024,1 topmost"}},
                      NewTaskbarCase{"Released", false, false, {"normal"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Windows asked whether the session may end, and another program cancelled
// the logoff: the bar was never released. A session that ends releases it, and
// no later notice of the shell docks it again.
struct SessionCase {
  const char* name;
  bool ending;
  Log expected;
};

class SessionEnd : public AppBarControllerTest, public ::testing::WithParamInterface<SessionCase> {};

TEST_P(SessionEnd, ReleasesOnlyWhenItReallyEnds) {
  const SessionCase& c = GetParam();
  AppBarController bar = Docked(kEdgeBottom, true);
  EXPECT_EQ(bar.OnEndSession(c.ending), c.ending);
  EXPECT_EQ(log, c.expected);
  EXPECT_EQ(bar.State().registered, !c.ending);
  EXPECT_TRUE(bar.State().autoHide) << "kept for the settings";
  if (!c.ending) return;
  EXPECT_FALSE(bar.OnTaskbarCreated());
  EXPECT_FALSE(bar.OnDisplayChanged());
  EXPECT_FALSE(bar.Dock());
  EXPECT_EQ(log, c.expected) << "nothing docks after the end";
}

INSTANTIATE_TEST_SUITE_P(Sessions, SessionEnd,
                         ::testing::Values(SessionCase{"Cancelled", false, {}},
                                           SessionCase{"Ended", true, {"autohide 3 off", "remove"}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
