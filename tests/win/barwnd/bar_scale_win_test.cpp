// The docked bar at the display scale the session runs at (96 DPI, and 144
// when ctest runs the AtEveryScale tests again): every length is today's
// 96-DPI length times DPI/96, within a pixel (exactly at 96); and a
// display-scale change sent to a shown bar docks it again at the new scale.
//
// The bar's thickness holds twice the system's dialog frame, which is the
// system's own at each DPI (Wine keeps it at 3 pixels): that part is taken as
// the system gives it, the rest of the thickness scales.
#include "win/barwnd/bar_window_fixture.h"

#include "platform/display_scale_win.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace bar_window_test {
namespace {

double Scaled(int px96, int dpi) { return px96 * dpi / 96.0; }

// Rounding each part of a sum on its own stays within a pixel; at 96 DPI the
// length is exactly today's.
#define EXPECT_SCALED(actual, px96, dpi) \
  EXPECT_NEAR((actual), Scaled((px96), (dpi)), (dpi) == 96 ? 0.0 : 1.0) << "96-DPI length " << (px96)

Size IconSideOf(HWND toolbar) {
  int cx = 0, cy = 0;
  ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0)), &cx, &cy);
  return {cx, cy};
}

int ImageCount(HWND toolbar) {
  return ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0)));
}

int Frames(int dpi) { return 2 * MetricAt(SM_CYDLGFRAME, dpi); }

// A thickness measured at `from` DPI, expected at `to`.
double ThicknessAt(int thickness, int from, int to) {
  return (thickness - Frames(from)) * static_cast<double>(to) / from + Frames(to);
}

#define EXPECT_THICKNESS(actual, px96, dpi) \
  EXPECT_NEAR((actual), ThicknessAt((px96), 96, (dpi)), (dpi) == 96 ? 0.0 : 1.0) << "96-DPI thickness " << (px96)

int Thickness(const RECT& r) { return r.bottom - r.top; }

Size ItemSize(HWND toolbar, int index) {
  RECT r = {};
  ::SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return {r.right - r.left, r.bottom - r.top};
}

// Today's 96-DPI bar on the top edge: large icons with the clock panel (the
// buttons are thicker than the panel), small ones without it.
struct ScaleCase {
  bool large;
  bool panel;
  Size button;          // a launch button and the bar-switch button
  int thickness;        // the docked window across the edge
};

class BarWindowAtEveryScale : public BarWindowTest, public testing::WithParamInterface<ScaleCase> {};

TEST_P(BarWindowAtEveryScale, DockedBarButtonsIconsAndThicknessScale) {
  const ScaleCase& c = GetParam();
  const int dpi = SystemDpi();
  settings_.LargeIcon = c.large ? 1 : 0;
  settings_.ShowBlock = c.panel ? 1 : 0;
  settings_.Edge = 1;
  AddBar("one", {"a", "b", "-", "c"});
  BarWindow& bar = Open();
  ASSERT_NE(bar.ButtonsToolbar(), nullptr);
  const std::vector<ButtonLook> buttons = Buttons();
  ASSERT_EQ(buttons.size(), 4u);
  for (const ButtonLook& b : buttons) {
    EXPECT_SCALED(b.rect.right - b.rect.left, b.separator ? 12 : c.button.cx, dpi);
    if (!b.separator) {
      EXPECT_SCALED(b.rect.bottom - b.rect.top, c.button.cy, dpi);
    }
  }
  const int side = c.large ? IconSidesAt(dpi).large : IconSidesAt(dpi).small;
  EXPECT_EQ(IconSideOf(bar.ButtonsToolbar()), (Size{side, side}));
  EXPECT_EQ(IconSideOf(bar.SwitchToolbar()), (Size{side, side}));
  EXPECT_EQ(ImageCount(bar.ButtonsToolbar()), 3);  // every launch button has its picture at that side
  EXPECT_SCALED(ItemSize(bar.SwitchToolbar(), 0).cx, c.button.cx, dpi);
  EXPECT_THICKNESS(Thickness(WindowRect()), c.thickness, dpi);
  EXPECT_EQ(WindowRect().top, 0);
}

INSTANTIATE_TEST_SUITE_P(Icons, BarWindowAtEveryScale,
                         testing::Values(ScaleCase{false, false, {23, 22}, 22 + 6 + 4},
                                         ScaleCase{true, true, {39, 38}, 38 + 6 + 4}));

// With small icons the clock panel (two lines, 32 high at 96 DPI in the
// default font) is what sets the bar's thickness. Its length depends on the
// day's text, so only its thickness is compared.
TEST_F(BarWindowTest, ClockPanelAndTheBarAroundItAtEveryScale) {
  const int dpi = SystemDpi();
  settings_.Edge = 1;
  AddBar("one", {"a"});
  BarWindow& bar = Open();
  ASSERT_NE(bar.ClockPanelWindow(), nullptr);
  RECT panel = {};
  ::GetWindowRect(bar.ClockPanelWindow(), &panel);
  EXPECT_SCALED(panel.bottom - panel.top, 32, dpi);
  EXPECT_THICKNESS(Thickness(WindowRect()), 32 + 6 + 4, dpi);
}

// The system sends the new DPI and a suggested rectangle; the bar takes the
// DPI from the message, builds its buttons at the new icon sides and docks
// where the shell puts a bar of the new thickness, not on the suggestion.
// Back at the old DPI it is exactly as before.
TEST_F(BarWindowTest, DisplayScaleChangeDocksTheBarAgainAtEveryScale) {
  const int dpi = SystemDpi();
  const int newDpi = dpi * 3 / 2;
  settings_.ShowBlock = 0;
  settings_.Edge = 1;
  AddBar("one", {"a", "-", "b"});
  BarWindow& bar = Open();
  const RECT before = WindowRect();

  RECT suggested = {100, 100, 400, 200};
  ::SendMessageA(bar.Hwnd(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&suggested));
  PumpMessages(100);
  const RECT after = WindowRect();
  EXPECT_EQ(after.left, 0);
  EXPECT_EQ(after.top, 0);
  EXPECT_EQ(after.right, before.right);
  EXPECT_NEAR(Thickness(after), ThicknessAt(Thickness(before), dpi, newDpi), 1.0);
  const int small = IconSidesAt(newDpi).small;
  EXPECT_EQ(IconSideOf(bar.ButtonsToolbar()), (Size{small, small}));
  EXPECT_EQ(IconSideOf(bar.SwitchToolbar()), (Size{small, small}));
  EXPECT_EQ(ImageCount(bar.ButtonsToolbar()), 2);
  EXPECT_NEAR(ItemSize(bar.ButtonsToolbar(), 0).cx, Scaled(23, newDpi), 1.0);
  EXPECT_NEAR(ItemSize(bar.ButtonsToolbar(), 1).cx, Scaled(12, newDpi), 1.0);
  EXPECT_EQ(Commands(), (std::vector<int>{1124, 0, 1126}));

  ::SendMessageA(bar.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  PumpMessages(100);
  const RECT back = WindowRect();
  EXPECT_TRUE(::EqualRect(&back, &before));
  EXPECT_EQ(IconSideOf(bar.ButtonsToolbar()).cx, IconSidesAt(dpi).small);
}

}  // namespace
}  // namespace bar_window_test
