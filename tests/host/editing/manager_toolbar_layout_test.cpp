// The manager's tool bar at the common display scales: today's place and
// sizes at 96 DPI, scaled ones elsewhere, never over the tree and never too
// narrow for its shown buttons; and where the preset menu opens.
#include "editing/manager/manager_toolbar_layout.h"

#include <gtest/gtest.h>

#include "editing/presets/preset_menu.h"

namespace {

TEST(ManagerToolbarLayout, PlaceAndSizesAtEachScale) {
  const struct {
    int dpi, treeRight;
    Rect place;
    Size image, button;
  } cases[] = {
      {96, 150, {215, 0, 488, 40}, {32, 31}, {39, 38}},   // today's tool bar
      {96, 220, {224, 0, 497, 40}, {32, 31}, {39, 38}},   // a wide tree pushes it right
      {120, 200, {269, 0, 612, 50}, {40, 39}, {49, 48}},  // 215 x 1.25 = 268.75
      {144, 300, {323, 0, 736, 60}, {48, 47}, {59, 58}},  // 7 pictures' margins of 10.5 round up
      {144, 330, {336, 0, 749, 60}, {48, 47}, {59, 58}},  // the gap scales too: 4 -> 6
      {192, 400, {430, 0, 976, 80}, {64, 62}, {78, 76}},
  };
  for (const auto& c : cases) {
    const ManagerToolbarLayout layout = ManagerToolbarLayoutAt(c.treeRight, c.dpi);
    // The drawing loaded is the one of this scale: no picture is stretched.
    EXPECT_EQ(layout.bitmap, c.dpi == 96 ? 220 : c.dpi == 120 ? 226 : c.dpi == 144 ? 227 : 228) << c.dpi;
    EXPECT_EQ(layout.place, c.place) << c.dpi << " / " << c.treeRight;
    EXPECT_EQ(layout.image, c.image) << c.dpi;
    EXPECT_EQ(layout.button, c.button) << c.dpi;
  }
}

TEST(ManagerToolbarLayout, ShownButtonsFitWholeAtAnyScale) {
  for (int dpi = 96; dpi <= 288; dpi += 6) {
    const ManagerToolbarLayout layout = ManagerToolbarLayoutAt(0, dpi);
    EXPECT_GE(layout.place.Width(), kManagerToolbarShownButtons * layout.button.cx) << dpi;
    EXPECT_GE(layout.place.Height(), layout.button.cy) << dpi;
    EXPECT_NEAR(layout.place.Width(), 273.0 * dpi / 96, 4.0) << dpi;  // in proportion
    // Between the drawn scales the next larger drawing is made smaller.
    const int drawnPercent = layout.bitmap == 220 ? 100 : layout.bitmap == 226 ? 125 : layout.bitmap == 227 ? 150 : 200;
    EXPECT_TRUE(drawnPercent * 96 >= dpi * 100 || drawnPercent == 200) << dpi;
  }
}

TEST(PresetMenu, OpensBelowThePresetButtonAtEachScale) {
  const struct {
    int dpi;
    Point offset;
  } cases[] = {{96, {295, 62}}, {120, {369, 78}}, {144, {443, 93}}, {192, {590, 124}}, {0, {295, 62}}};
  for (const auto& c : cases) EXPECT_EQ(preset::MenuOffsetAt(c.dpi), c.offset) << c.dpi;
}

}  // namespace
