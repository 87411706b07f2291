#include "editing/manager/manager_toolbar_layout.h"

#include <algorithm>

#include "editing_ids.h"

int ManagerToolbarBitmapAt(int dpi) {
  if (dpi <= kBaseDpi) return IDB_MGR_TOOLBAR;
  if (dpi <= 120) return IDB_MGR_TOOLBAR_125;
  if (dpi <= 144) return IDB_MGR_TOOLBAR_150;
  return IDB_MGR_TOOLBAR_200;
}

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
  layout.bitmap = ManagerToolbarBitmapAt(dpi);
  return layout;
}
