// The two image lists of the displayed bar's buttons (16 x 16 and 32 x 32),
// one icon per shown launch button in bar order, which is the order the
// toolbar plan numbers its images.
#pragma once

#include <string>

#include "platform/handles_win.h"

class CBar;

struct BarImageLists {
  UniqueImageList small;
  UniqueImageList large;
};

// Fills both lists and stores each shown button's image number in its
// ImageIndex. A button whose icon cannot be found gets the system's
// application icon, so the numbers stay in step with the toolbar. Returns
// false when a list cannot be made or grown; the bar then has no toolbar.
bool BuildBarImageLists(CBar& bar, const std::string& programFolder, BarImageLists& out);
