// The colours of an owner-drawn menu (0x00BBGGRR). A new menu takes them from
// the system; its creator may change any of them before the menu is shown.
#pragma once

#include <cstdint>
#include <functional>

// The system colours a menu starts from, by role.
enum class SystemColorRole {
  kMenu,
  kHighlight,
  kMenuText,
  kHighlightText,
  kGrayText,
};

using SystemColorLookup = std::function<uint32_t(SystemColorRole)>;

struct MenuColors {
  uint32_t background = 0;    // the items' background
  uint32_t selection = 0;     // the item under the mouse, and the frame square of a checked icon
  uint32_t text = 0;
  uint32_t selectedText = 0;  // also the lower-right shadow of a disabled caption
  uint32_t disabledText = 0;
  uint32_t iconColumn = 0;    // a copy of the system menu colour: a later background change leaves it
};

MenuColors DefaultMenuColors(const SystemColorLookup& system);

