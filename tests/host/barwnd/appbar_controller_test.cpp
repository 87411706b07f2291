#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "barwnd/appbar_controller.h"

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
  bool SetAutoHideBar(int edge, bool on) override {
    return Note("autohide " + std::to_string(edge) + (on ? " on" : " off"), !on || acceptAutoHide);
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
class FakeWindow : public AppBarWindow {
 public:
  explicit FakeWindow(Log& log) : log_(log) {}
  Size PrimaryScreenSize() override { return {1024, 768}; }
  int BarThickness(int) override { return 30; }
  Rect ScreenRect() override { return rect; }
  void Place(const Rect& r, bool topmost, Activation activation) override {
    rect = r;
    log_.push_back(std::string(activation == Activation::kActivate ? "move " : "slide ") + Str(r) +
                   (topmost ? " topmost" : ""));
  }
  void SetTopmost(bool topmost) override { log_.push_back(topmost ? "topmost" : "not topmost"); }
  void UpdateNow() override {}
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

  Rect rect{0, 0, 600, 80};
  std::deque<uint32_t> ticks;  // a smooth slide when set
  uint32_t last = 5000;

 private:
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
  AppBarController Docked(int edge, bool autoHide) {
    AppBarController bar = Make(edge, autoHide);
    EXPECT_TRUE(bar.Dock());
    log.clear();
    return bar;
  }
  void MouseAway(AppBarController& bar) { bar.CheckAutoHide({500, 400}, {4, 4}); }

  Log log;
  FakeShell shell{log};
  FakeWindow window{log};
};

TEST_F(AppBarControllerTest, DockReservesTheQueriedRectangleAndTakesTheReturnedOne) {
  shell.query = [](int, const Rect& r) { return Rect{r.left, 20, r.right - 24, 25}; };
  shell.setPos = [](int, const Rect&) { return Rect{0, 22, 1000, 52}; };
  AppBarController bar = Make(kEdgeTop, false);
  EXPECT_TRUE(bar.Dock());
  EXPECT_EQ(log, (Log{"new 1", "setpos 1 0,20,1000,50", "move 0,22,1000,52"}));
  EXPECT_EQ(bar.State().current, (Rect{0, 22, 1000, 52}));
}

TEST_F(AppBarControllerTest, RefusedRegistrationShowsMessage51AndStops) {
  shell.acceptNew = false;
  AppBarController bar = Make(kEdgeBottom, true);
  EXPECT_FALSE(bar.Dock());
  EXPECT_EQ(log, (Log{"new 3 refused", "message 51"}));
  EXPECT_EQ(window.rect, (Rect{0, 0, 600, 80}));
}

TEST_F(AppBarControllerTest, AutoHideDockPutsTheBarOnItsStripTopmost) {
  AppBarController bar = Make(kEdgeBottom, true);
  EXPECT_TRUE(bar.Dock());
  EXPECT_EQ(log, (Log{"new 3", "autohide 3 on", "setpos 3 0,766,1024,768", "timer on",
                      "move 0,766,1024,768 topmost"}));
  EXPECT_TRUE(bar.State().autoHide);
  EXPECT_FALSE(bar.State().shown);
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
  EXPECT_EQ(log, (Log{"slide 0,0,1024,30 topmost"}));
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
  EXPECT_EQ(log, (Log{"new 1", "autohide 1 on refused", "timer off", "setpos 1 0,0,1024,30", "move 0,0,1024,30"}));
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
  bar.CheckAutoHide({500, 730}, {4, 4});  // within twice the double-click size
  EXPECT_TRUE(bar.State().shown);
  MouseAway(bar);
  EXPECT_FALSE(bar.State().shown);
  bar.ToggleAutoHide();
  EXPECT_TRUE(bar.State().shown);
  EXPECT_EQ(log, (Log{"autohide 3 on", "setpos 3 0,766,1024,768", "timer on", "move 0,766,1024,768 topmost",
                      "slide 0,738,1024,768 topmost", "slide 0,766,1024,768 topmost", "autohide 3 off",
                      "setpos 3 0,738,1024,768", "timer off", "move 0,738,1024,768"}));
}

TEST_F(AppBarControllerTest, SmoothSlideShowsTimedFramesThenTheFinalRectangle) {
  AppBarController bar = Docked(kEdgeTop, true);
  window.ticks = {2000, 2000, 2100, 2200};
  bar.OnMouseMove();
  window.ticks = {3000, 3000, 3100, 3200};
  MouseAway(bar);
  EXPECT_EQ(log, (Log{"slide 0,0,1024,1 topmost", "slide 0,0,1024,15 topmost", "slide 0,0,1024,30 topmost",
                      "slide 0,0,1024,30 topmost", "slide 0,0,1024,16 topmost", "slide 0,0,1024,1 topmost"}));
}

TEST_F(AppBarControllerTest, NothingCollapsesWhileADialogIsOpen) {
  AppBarController bar = Docked(kEdgeTop, true);
  bar.OnMouseMove();
  bar.SetDialogOpen(true);
  MouseAway(bar);
  EXPECT_TRUE(bar.State().shown);
  bar.SetDialogOpen(false);
  MouseAway(bar);
  EXPECT_FALSE(bar.State().shown);
}

TEST_F(AppBarControllerTest, SetEdgeOnATakenAutoHideEdgeDocksNormally) {
  AppBarController bar = Docked(kEdgeTop, true);
  shell.acceptAutoHide = false;
  EXPECT_TRUE(bar.SetEdge(kEdgeBottom));
  EXPECT_EQ(log, (Log{"remove", "rebuild", "new 3", "autohide 3 on refused", "timer off", "setpos 3 0,738,1024,768",
                      "move 0,738,1024,768"}));
  EXPECT_EQ(bar.State().edge, kEdgeBottom);
  EXPECT_FALSE(bar.State().autoHide);
}

TEST_F(AppBarControllerTest, AnAutoHideBarStaysTopmostWithoutAlwaysOnTop) {
  AppBarController hidden = Make(kEdgeTop, true);
  hidden.ToggleAlwaysOnTop();
  hidden.ToggleAlwaysOnTop();
  AppBarController plain = Make(kEdgeTop, false);
  plain.ToggleAlwaysOnTop();
  plain.ToggleAlwaysOnTop();
  EXPECT_EQ(log, (Log{"topmost", "topmost", "topmost", "not topmost"}));
}

TEST_F(AppBarControllerTest, PositionChangeNotificationRedocksWithoutReserving) {
  AppBarController bar = Docked(kEdgeTop, false);
  shell.query = [](int, const Rect& r) { return Rect{r.left, 28, r.right, 40}; };
  bar.OnShellNotify(2);  // other notifications are ignored
  bar.OnShellNotify(kAppBarNotifyPosChanged);
  EXPECT_EQ(log, (Log{"slide 0,28,1024,58"}));
}

TEST_F(AppBarControllerTest, PositionChangeKeepsACollapsedBarOnItsStrip) {
  AppBarController bar = Docked(kEdgeTop, true);
  bar.OnShellNotify(kAppBarNotifyPosChanged);
  EXPECT_EQ(window.rect, (Rect{0, 0, 1024, 1}));
  bar.OnMouseMove();
  bar.OnShellNotify(kAppBarNotifyPosChanged);
  EXPECT_EQ(window.rect, (Rect{0, 0, 1024, 30}));
}

TEST_F(AppBarControllerTest, ActivationTellsTheShellAndShowsACollapsedBar) {
  AppBarController bar = Docked(kEdgeTop, true);
  bar.OnActivated();
  EXPECT_EQ(log, (Log{"activate", "slide 0,0,1024,30 topmost"}));
}

}  // namespace
