#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

#include "barwnd/dock/appbar_geometry.h"
#include "barwnd/dock/screen_edge.h"
#include "barwnd/dock/slide.h"
#include "host/barwnd/geometry_print.h"

namespace {

const Rect kScreen{0, 0, 1024, 768};

// A shell with other appbars taking 50 pixels on the left, 20 at the top, 40 on
// the right and 30 at the bottom: it clips a proposal to what is left, which
// moves it inwards, shortens it, and on the bar's own edge can even turn it
// inside out.
Rect ClipToFreeArea(int, const Rect& r) {
  return {std::max(r.left, 50), std::max(r.top, 20), std::min(r.right, 1024 - 40), std::min(r.bottom, 768 - 30)};
}

struct DockCase {
  const char* name;
  int edge;
  Rect proposed;
  Rect docked;
  Rect collapsed;
};

class AppBarRectTest : public ::testing::TestWithParam<DockCase> {};

TEST_P(AppBarRectTest, ThicknessIsRestoredFromTheScreenSide) {
  const DockCase& c = GetParam();
  EXPECT_EQ(ProposedRect(c.edge, kScreen, 30), c.proposed);
  EXPECT_EQ(DockedRect(c.edge, kScreen, 30, ClipToFreeArea), c.docked);
  EXPECT_EQ(CollapsedRect(c.edge, kScreen, ClipToFreeArea), c.collapsed);
}

INSTANTIATE_TEST_SUITE_P(Edges, AppBarRectTest,
                         ::testing::Values(DockCase{"Left", kEdgeLeft, {0, 0, 30, 768}, {50, 20, 80, 738},
                                                    {50, 20, 51, 738}},
                                           DockCase{"Top", kEdgeTop, {0, 0, 1024, 30}, {50, 20, 984, 50},
                                                    {50, 20, 984, 21}},
                                           DockCase{"Right", kEdgeRight, {994, 0, 1024, 768}, {954, 20, 984, 738},
                                                    {983, 20, 984, 738}},
                                           DockCase{"Bottom", kEdgeBottom, {0, 738, 1024, 768}, {50, 708, 984, 738},
                                                    {50, 736, 984, 738}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A monitor left of the primary one and above its top: every rectangle stays
// on that monitor, whose numbers are negative. A full-screen application
// counts only on the monitor it covers.
TEST(AppBarRect, OnAMonitorAwayFromTheOrigin) {
  const Rect m{-1280, -200, 0, 824};
  auto asIs = [](int, const Rect& r) { return r; };
  const struct {
    int edge;
    Rect docked;
    Rect collapsed;
  } cases[] = {
      {kEdgeLeft, {-1280, -200, -1250, 824}, {-1280, -200, -1279, 824}},
      {kEdgeTop, {-1280, -200, 0, -170}, {-1280, -200, 0, -199}},
      {kEdgeRight, {-30, -200, 0, 824}, {-1, -200, 0, 824}},
      {kEdgeBottom, {-1280, 794, 0, 824}, {-1280, 822, 0, 824}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DockedRect(c.edge, m, 30, asIs), c.docked) << c.edge;
    EXPECT_EQ(CollapsedRect(c.edge, m, asIs), c.collapsed) << c.edge;
    EXPECT_EQ(SlideTarget(c.edge, false, c.docked, c.docked), c.collapsed) << c.edge;
  }
  ForegroundFacts front{m, true};
  EXPECT_EQ(WhereFullScreen(front, m, {kScreen, m}), FullScreenPlace::kBarMonitor);
  EXPECT_EQ(WhereFullScreen(front, kScreen, {kScreen, m}), FullScreenPlace::kOtherMonitor);
  front.rect.bottom -= 1;
  EXPECT_EQ(WhereFullScreen(front, kScreen, {kScreen, m}), FullScreenPlace::kNone);
}

TEST(AppBarRect, UnknownEdgeProposesNothing) {
  EXPECT_EQ(ProposedRect(4, kScreen, 30), (Rect{}));
}

TEST(HoverMargin, IsTwiceTheDoubleClickSizeOnEachSide) {
  const Rect bar{0, 0, 1024, 1};
  const Size dbl{4, 5};
  EXPECT_EQ(HoverRect(bar, dbl), (Rect{-8, -10, 1032, 11}));
  EXPECT_FALSE(MouseLeftBar({500, 10}, bar, dbl));
  EXPECT_TRUE(MouseLeftBar({500, 11}, bar, dbl));
  EXPECT_FALSE(MouseLeftBar({1031, 0}, bar, dbl));
  EXPECT_TRUE(MouseLeftBar({1032, 0}, bar, dbl));
}

// Docked thickness 30 on a free 1024 x 768 screen.
struct SlideCase {
  const char* name;
  int edge;
  bool show;
  Rect start;
  Rect docked;
  Rect target;
  Rect halfway;  // the frame at 100 ms; odd halves are cut towards zero
};

class SlideTest : public ::testing::TestWithParam<SlideCase> {};

TEST_P(SlideTest, FramesRunFromStartToTarget) {
  const SlideCase& c = GetParam();
  const Rect target = SlideTarget(c.edge, c.show, c.start, c.docked);
  EXPECT_EQ(target, c.target);
  EXPECT_EQ(SlideFrame(c.start, target, 0), c.start);
  EXPECT_EQ(SlideFrame(c.start, target, 100), c.halfway);
  EXPECT_EQ(SlideFrame(c.start, target, 200), c.target);
}

INSTANTIATE_TEST_SUITE_P(
    EdgesBothWays, SlideTest,
    ::testing::Values(
        SlideCase{"LeftShow", kEdgeLeft, true, {0, 0, 1, 768}, {0, 0, 30, 768}, {0, 0, 30, 768}, {0, 0, 15, 768}},
        SlideCase{"LeftCollapse", kEdgeLeft, false, {0, 0, 30, 768}, {0, 0, 30, 768}, {0, 0, 1, 768},
                  {0, 0, 16, 768}},
        SlideCase{"TopShow", kEdgeTop, true, {0, 0, 1024, 1}, {0, 0, 1024, 30}, {0, 0, 1024, 30}, {0, 0, 1024, 15}},
        SlideCase{"TopCollapse", kEdgeTop, false, {0, 0, 1024, 30}, {0, 0, 1024, 30}, {0, 0, 1024, 1},
                  {0, 0, 1024, 16}},
        SlideCase{"RightShow", kEdgeRight, true, {1023, 0, 1024, 768}, {994, 0, 1024, 768}, {994, 0, 1024, 768},
                  {1009, 0, 1024, 768}},
        SlideCase{"RightCollapse", kEdgeRight, false, {994, 0, 1024, 768}, {994, 0, 1024, 768},
                  {1023, 0, 1024, 768}, {1008, 0, 1024, 768}},
        SlideCase{"BottomShow", kEdgeBottom, true, {0, 766, 1024, 768}, {0, 738, 1024, 768}, {0, 738, 1024, 768},
                  {0, 752, 1024, 768}},
        SlideCase{"BottomCollapse", kEdgeBottom, false, {0, 738, 1024, 768}, {0, 738, 1024, 768},
                  {0, 766, 1024, 768}, {0, 752, 1024, 768}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SlideTarget, CollapseKeepsTheStripOnAnInsetEdge) {
  // Another appbar holds the first 50 pixels of the left edge.
  const Rect docked{50, 0, 80, 768};
  EXPECT_EQ(SlideTarget(kEdgeLeft, false, docked, docked), (Rect{50, 0, 51, 768}));
  const Rect top{0, 20, 1024, 50};
  EXPECT_EQ(SlideTarget(kEdgeTop, false, top, top), (Rect{0, 20, 1024, 21}));
}

struct PlayedSlide {
  std::vector<Rect> frames;
};

PlayedSlide Play(std::deque<uint32_t> ticks, uint32_t duration) {
  PlayedSlide played;
  const Rect start{0, 0, 1024, 30};
  const Rect target{0, 0, 1024, 1};
  PlaySlide(
      start, target, duration,
      [&] {
        const uint32_t t = ticks.front();
        if (ticks.size() > 1) ticks.pop_front();
        return t;
      },
      [&](const Rect& frame) { played.frames.push_back(frame); });
  return played;
}

TEST(PlaySlide, EndsWhenTheTickCountWrapsAround) {
  const PlayedSlide played = Play({0xFFFFFFA0u, 0xFFFFFFF0u, 0x00000010u, 0x00000070u}, SlideDuration(true));
  ASSERT_EQ(played.frames.size(), 2u);  // at 80 and 112 ms; 208 ms ends it
  EXPECT_EQ(played.frames[1], SlideFrame({0, 0, 1024, 30}, {0, 0, 1024, 1}, 112));
}

// What counts as a full-screen application in front when the bar starts.
TEST(FullScreenWindow, CoversTheWholeScreenAndIsNoOrdinaryWindow) {
  struct Case {
    const char* what;
    ForegroundFacts facts;
    bool fullScreen;
  };
  auto facts = [](Rect r) {
    ForegroundFacts f;
    f.rect = r;
    f.visible = true;
    return f;
  };
  ForegroundFacts hidden = facts({0, 0, 1024, 768});
  hidden.visible = false;
  ForegroundFacts minimized = facts({0, 0, 1024, 768});
  minimized.minimized = true;
  ForegroundFacts maximized = facts({-4, -4, 1028, 772});
  maximized.maximizedWithCaption = true;
  ForegroundFacts ours = facts({0, 0, 1024, 768});
  ours.shellOrOwn = true;
  const Case cases[] = {
      {"exactly the screen", facts({0, 0, 1024, 768}), true},
      {"beyond every side", facts({-8, -8, 1032, 776}), true},
      {"one pixel short at the bottom", facts({0, 0, 1024, 767}), false},
      {"one pixel in from the left", facts({1, 0, 1024, 768}), false},
      {"a small window", facts({100, 100, 500, 400}), false},
      {"hidden", hidden, false},
      {"minimized", minimized, false},
      {"maximized with a caption", maximized, false},
      {"the desktop, the shell or our own", ours, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsFullScreenWindow(c.facts, kScreen), c.fullScreen) << c.what;
}

}  // namespace
