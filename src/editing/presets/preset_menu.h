// The preset menu of the buttons manager: its commands, captions and look.
#pragma once

#include <cstdint>

#include "platform/display_scale.h"
#include "platform/geometry.h"

namespace preset {
constexpr int kFolder = 60000;
constexpr int kControlPanel = 60001;
constexpr int kQuickLaunch = 60002;
constexpr int kFavorites = 60003;

struct MenuItem {
  int Command;
  const char* Caption;
};
constexpr MenuItem kMenuItems[] = {
    {kFolder, "All files from Your folder"},
    {kControlPanel, "Control panel"},
    {kQuickLaunch, "Quick Launch"},
    {kFavorites, "Favorites folder"},
};

constexpr uint32_t kMenuBackground = 0xDEE1E9;  // 0x00BBGGRR
constexpr uint32_t kMenuSelection = 0xFF9966;
// Where the menu opens, from the manager window's top-left corner: below its
// tool bar's "Add a preset quickrail" button (at 96 DPI; the manager's frame
// and tool bar grow with the display scale, and so does the offset).
constexpr int kMenuOffsetX = 295;
constexpr int kMenuOffsetY = 62;
constexpr Point MenuOffsetAt(int dpi) { return {ScalePx(kMenuOffsetX, dpi), ScalePx(kMenuOffsetY, dpi)}; }
}  // namespace preset
