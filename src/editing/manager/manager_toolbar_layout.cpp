#include "editing/manager/manager_toolbar_layout.h"

#include <algorithm>

ManagerToolbarLayout ManagerToolbarLayoutAt(int treeRight, int dpi) {
  const DisplayScale scale{dpi};
  ManagerToolbarLayout layout;
  layout.image = scale.Px(kManagerToolbarImage);
  const int margin = scale.Px(kManagerToolbarMargin);
  layout.button = {layout.image.cx + margin, layout.image.cy + margin};
  const int x = std::max(scale.Px(kManagerToolbarX), treeRight + scale.Px(kManagerToolbarGap));
  // The buttons' own rounding decides the width: seven scaled 39-pixel
  // buttons can be a pixel or two wider than 273 scaled.
  const int width = kManagerToolbarShownButtons * layout.button.cx;
  const int height = std::max(scale.Px(kManagerToolbarHeight), layout.button.cy);
  layout.place = Rect::FromOriginSize({x, 0}, {width, height});
  return layout;
}
