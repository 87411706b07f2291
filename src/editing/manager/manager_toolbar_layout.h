// Where the buttons manager's tool bar stands and how big its pictures and
// buttons are, at the manager's display scale. At 96 DPI: x 215 beside the
// tree, 273 x 40 pixels, eight 32 x 31 pictures in 39 x 38 buttons of which
// the first seven show.
#pragma once

#include "platform/display_scale.h"
#include "platform/geometry.h"

struct ManagerToolbarLayout {
  Rect place;   // in the dialog's client area
  Size image;   // one button's picture
  Size button;  // the picture and its margin
  int bitmap = 0;  // the drawing to load (ManagerToolbarBitmapAt)
};

// Lengths at 96 DPI.
inline constexpr int kManagerToolbarX = 215;
inline constexpr int kManagerToolbarHeight = 40;
inline constexpr int kManagerToolbarGap = 4;  // from the tree, when the tree reaches past x 215
inline constexpr Size kManagerToolbarImage = {32, 31};
inline constexpr int kManagerToolbarMargin = 7;  // added to the picture each way
inline constexpr int kManagerToolbarShownButtons = 7;

// The drawing of the tool bar's pictures to load at `dpi` (a bitmap number):
// the one drawn at that scale, else the next larger one, so that a picture is
// only ever made smaller; above 200 % the 200 % drawing.
int ManagerToolbarBitmapAt(int dpi);

// The tool bar at `dpi`, for a tree whose right edge is at `treeRight`
// (client pixels): it stays clear of the tree and is wide enough for the
// shown buttons whole at every scale.
ManagerToolbarLayout ManagerToolbarLayoutAt(int treeRight, int dpi);
