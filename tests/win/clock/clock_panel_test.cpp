#include "clock/clock_panel_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/message_texts.h"
#include "core/settings.h"
#include "clock_test_support.h"
#include "platform/display_scale_win.h"
#include "platform/handles_win.h"

namespace {

const LocalTime kEvening{2002, 1, 3, 23, 21, 5, 7};  // Wednesday 23 January 2002, 21:05:07

class ClockPanelTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host_.Open(400, 200));
    // The loaded defaults, with a font every Wine prefix has.
    lstrcpynA(settings_.Font.FaceName, "Tahoma", LF_FACESIZE);
    settings_.Font.CharSet = DEFAULT_CHARSET;
  }

  std::function<LocalTime()> Clock() {
    return [this] {
      ++reads_;
      return now_;
    };
  }

  bool CreatePanel(ClockPanel& panel, int width = 200, int height = 40) {
    RECT rect = {2, 2, 2 + width, 2 + height};
    return panel.Create(host_.Hwnd(), rect);
  }

  // The panel's text measured here, in the settings' font, to check its sizes against.
  SIZE Measure(const std::string& text) {
    LOGFONTA lf = {};
    const FontRecord& f = settings_.Font;
    lf.lfHeight = f.Height;
    lf.lfWeight = f.Weight;
    lf.lfCharSet = f.CharSet;
    lf.lfOutPrecision = f.OutPrecision;
    lf.lfClipPrecision = f.ClipPrecision;
    lf.lfQuality = f.Quality;
    lstrcpynA(lf.lfFaceName, f.FaceName, LF_FACESIZE);
    UniqueFont font(::CreateFontIndirectA(&lf));
    WindowDC dc(nullptr);
    SelectScope selected(dc.Get(), font.Get());
    SIZE size = {};
    ::GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
  }

  Settings settings_;
  MessageTexts texts_;
  TestHostWindow host_;
  LocalTime now_ = kEvening;
  int reads_ = 0;
  int edge_ = 1;
};

TEST_F(ClockPanelTest, FormatsItsTextsWhenCreated) {
  ClockPanel panel(settings_, texts_, [this] { return edge_; }, Clock());
  EXPECT_EQ(panel.GetLength(), 150) << "before the window exists";
  ASSERT_TRUE(CreatePanel(panel));
  EXPECT_EQ(panel.DateText(), "23 January 2002 We");
  EXPECT_EQ(panel.TimeText(), "21:05:07");
}

TEST_F(ClockPanelTest, SizesFollowTheRealFontPerEdge) {
  ClockPanel panel(settings_, texts_, [this] { return edge_; }, Clock());
  ASSERT_TRUE(CreatePanel(panel));
  const SIZE date = Measure("23 January 2002 We");
  const SIZE time = Measure("21:05:07");
  const LONG length = std::max(date.cx, time.cx) * 11 / 10;
  const LONG thickness = date.cy * 2 + 4;
  ASSERT_GT(date.cx, 0);

  EXPECT_EQ(panel.GetLength(), length);
  for (int edge : {1, 3}) {
    RECT r = panel.GetRect(edge);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, length) << edge;
    EXPECT_EQ(r.bottom, thickness) << edge;
  }
  for (int edge : {0, 2}) {
    RECT r = panel.GetRect(edge);
    EXPECT_EQ(r.right, thickness) << edge;
    EXPECT_EQ(r.bottom, length) << edge;
  }

  settings_.OneLine = 1;
  EXPECT_EQ(panel.GetLength(), (date.cx + Measure("  ").cx + time.cx) * 11 / 10);
  EXPECT_EQ(panel.GetRect(1).bottom, date.cy + 4);
}

// The panel for a top bar at the session's DPI and, as after a change of the
// display scale, at the DPI the bar tells it: 1.5 and 2 times its size at 96
// DPI, the chosen font keeping its point size (text extents of a larger font
// round differently, hence a little room along the bar).
TEST_F(ClockPanelTest, RectForATopBarAtEveryScale) {
  const int dpi = SystemDpi();
  ClockPanel panel(settings_, texts_, [this] { return edge_; }, Clock());
  EXPECT_EQ(panel.GetLength(), ScalePx(150, dpi)) << "before the window exists";
  ASSERT_TRUE(CreatePanel(panel));
  EXPECT_EQ(panel.Dpi(), dpi);
  const RECT session = panel.GetRect(1);
  panel.SetDpi(kBaseDpi);
  const RECT base = panel.GetRect(1);
  if (dpi == kBaseDpi) {
    const SIZE date = Measure("23 January 2002 We");
    EXPECT_EQ(base.right, std::max(date.cx, Measure("21:05:07").cx) * 11 / 10);
    EXPECT_EQ(base.bottom, date.cy * 2 + 4);
  }
  struct Case {
    int dpi;
    RECT rect;
  };
  panel.SetDpi(144);
  const RECT at144 = panel.GetRect(1);
  panel.SetDpi(192);
  const RECT at192 = panel.GetRect(1);
  panel.SetDpi(0);
  EXPECT_EQ(panel.GetRect(1).bottom, session.bottom) << "back at the window's own DPI";
  for (const Case& c : {Case{dpi, session}, Case{144, at144}, Case{192, at192}}) {
    const int length = ScalePx(base.right, c.dpi);
    EXPECT_NEAR(c.rect.bottom, ScalePx(base.bottom, c.dpi), c.dpi == kBaseDpi ? 0 : 2) << c.dpi;
    EXPECT_NEAR(c.rect.right, length, c.dpi == kBaseDpi ? 0 : length / 20) << c.dpi;
  }
}

// A tick draws at once, without a paint message, only what changed: the
// time's line when only the time did, the whole panel for a new date, nothing
// for the same texts. A marker colour painted over the panel before each tick
// shows where it drew.
TEST_F(ClockPanelTest, TimerDrawsWhatChangedAtOnce) {
  struct Case {
    const char* name;
    int second;
    int day;
    const char* time;
    int repainted;  // 0 nothing, 1 the time's line, 2 the whole panel
  } cases[] = {{"SameSecond", 7, 23, "21:05:07", 0}, {"NextSecond", 8, 23, "21:05:08", 1},
               {"NextDay", 8, 24, "21:05:08", 2}};
  const COLORREF marker = RGB(1, 2, 3);
  ClockPanel panel(settings_, texts_, [this] { return edge_; }, Clock());
  ASSERT_TRUE(CreatePanel(panel));
  RECT client = {};
  ::GetClientRect(panel.Hwnd(), &client);
  const LONG timeLineTop = Measure("23 January 2002 We").cy;  // the second line on
  for (const Case& c : cases) {
    ::UpdateWindow(panel.Hwnd());
    {
      WindowDC dc(panel.Hwnd());
      UniqueBrush brush(::CreateSolidBrush(marker));
      ::FillRect(dc.Get(), &client, brush.Get());
    }
    now_.Second = c.second;
    now_.Day = c.day;
    // Only timer messages are taken from the queue: a paint the tick asked
    // for instead of drawing would still be pending afterwards.
    const DWORD start = ::GetTickCount();
    MSG msg = {};
    bool ticked = false;
    while (::GetTickCount() - start < 2500 && !ticked) {
      while (::PeekMessageA(&msg, panel.Hwnd(), WM_TIMER, WM_TIMER, PM_REMOVE)) {
        ::DispatchMessageA(&msg);
        ticked = msg.wParam == ClockPanel::kTimerId;
      }
      ::Sleep(10);
    }
    ASSERT_TRUE(ticked) << c.name;
    EXPECT_EQ(panel.TimeText(), c.time) << c.name;
    EXPECT_FALSE(::GetUpdateRect(panel.Hwnd(), nullptr, FALSE)) << c.name;
    WindowDC dc(panel.Hwnd());
    const COLORREF dateLine = ::GetPixel(dc.Get(), 0, timeLineTop - 1);
    const COLORREF timeLine = ::GetPixel(dc.Get(), 0, timeLineTop);
    EXPECT_EQ(dateLine != marker, c.repainted == 2) << c.name;
    EXPECT_EQ(timeLine != marker, c.repainted != 0) << c.name;
  }
}

// The bar lays itself out from what the panel wants; on every tick the panel
// tells the length it wants now, so a text that grows is never cut.
TEST_F(ClockPanelTest, TicksTellTheLengthAGrownTextWants) {
  settings_.ShowCal = 0;
  settings_.Sec = 0;
  now_ = LocalTime{2002, 1, 3, 23, 9, 59, 58};
  ClockPanel panel(settings_, texts_, [this] { return edge_; }, Clock());
  std::vector<int> told;
  panel.WatchLength([&](int length) { told.push_back(length); });
  ASSERT_TRUE(CreatePanel(panel));
  const int before = panel.GetLength();
  EXPECT_EQ(before, Measure("9:59").cx * 11 / 10);

  now_.Hour = 10;
  now_.Minute = 0;
  PumpMessages(2500, [&] { return !told.empty(); });
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(panel.TimeText(), "10:00");
  EXPECT_EQ(told.back(), Measure("10:00").cx * 11 / 10);
  EXPECT_GT(told.back(), before);
}

struct PaintCase {
  const char* name;
  int edge;
  int oneLine;
  int showCal;
  int showClock;
  bool textRunsUpwards;
};

class ClockPanelPaintTest : public ClockPanelTest, public testing::WithParamInterface<PaintCase> {};

TEST_P(ClockPanelPaintTest, FillsTheBackgroundAndDrawsTheTextInItsColour) {
  const PaintCase& c = GetParam();
  const COLORREF background = RGB(0, 160, 0);
  const COLORREF ink = RGB(200, 0, 200);
  Settings& s = settings_;
  s.ColorClockBk = static_cast<int32_t>(background);
  s.ColorText = static_cast<int32_t>(ink);
  s.OneLine = c.oneLine;
  s.ShowCal = c.showCal;
  s.ShowClock = c.showClock;
  s.Font.Quality = NONANTIALIASED_QUALITY;  // pure ink pixels to find
  edge_ = c.edge;

  ClockPanel panel(settings_, texts_, [this] { return edge_; }, Clock());
  ASSERT_TRUE(CreatePanel(panel, 10, 10));
  // With nothing to show the bar window leaves the panel out; give it room anyway.
  RECT size = c.showCal || c.showClock ? panel.GetRect(c.edge) : RECT{0, 0, 40, 20};
  ::MoveWindow(panel.Hwnd(), 2, 2, size.right, size.bottom, FALSE);

  ClientPicture picture = PrintClient(panel.Hwnd());
  ASSERT_EQ(picture.width, size.right);
  ASSERT_EQ(picture.height, size.bottom);
  EXPECT_EQ(picture.At(0, 0), background);
  EXPECT_EQ(picture.At(picture.width - 1, picture.height - 1), background);
  const size_t inkPixels = static_cast<size_t>(std::count(picture.pixels.begin(), picture.pixels.end(), ink));
  const size_t otherPixels = static_cast<size_t>(std::count_if(picture.pixels.begin(), picture.pixels.end(),
      [&](COLORREF p) { return p != ink && p != background; }));
  if (!c.showCal && !c.showClock) {
    EXPECT_EQ(inkPixels, 0u);
    return;
  }
  EXPECT_GT(inkPixels, 20u);
  EXPECT_EQ(otherPixels, 0u);

  // The text lies inside the panel and runs along it.
  RECT text = BoundsOfNon(picture, background);
  const LONG across = c.textRunsUpwards ? text.right - text.left : text.bottom - text.top;
  const LONG along = c.textRunsUpwards ? text.bottom - text.top : text.right - text.left;
  EXPECT_GT(along, across) << "text runs the wrong way";
  // Centred along the bar: the margins on both sides differ by little.
  const LONG before = c.textRunsUpwards ? text.top : text.left;
  const LONG after = c.textRunsUpwards ? picture.height - text.bottom : picture.width - text.right;
  EXPECT_LE(std::abs(before - after), 6) << before << " / " << after;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ClockPanelPaintTest,
    testing::Values(PaintCase{"TopTwoLines", 1, 0, 1, 1, false}, PaintCase{"BottomOneLine", 3, 1, 1, 1, false},
                    PaintCase{"LeftTwoLines", 0, 0, 1, 1, true}, PaintCase{"RightOneLine", 2, 1, 1, 1, true},
                    PaintCase{"LeftDateOnly", 0, 1, 1, 0, true},
                    PaintCase{"NothingShown", 1, 0, 0, 0, false}),
    [](const testing::TestParamInfo<PaintCase>& info) { return std::string(info.param.name); });

}  // namespace
