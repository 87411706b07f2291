// What the bar window's menus hold, as plain data: the context menu with its
// icons, colours, default entry and check marks, the bar-switch menu, the
// check marks of the notification-area menu, and where the context menu opens
// when it is asked for from the keyboard. BarMenus turns these into menus.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/geometry.h"

// Popup colours (0x00BBGGRR).
inline constexpr uint32_t kBarMenuBackground = 0xDEE1E9;
inline constexpr uint32_t kEdgeMenuBackground = 0xA4FAC8;
inline constexpr uint32_t kBarMenuSelection = 0xFF9966;

// Menu-entry icons (icon resources).
inline constexpr int kIconAutoHide = 229;
inline constexpr int kIconScreenEdge = 230;
inline constexpr int kIconButtonsManager = 232;
inline constexpr int kIconOptions = 233;
inline constexpr int kIconTop = 244;
inline constexpr int kIconBottom = 245;
inline constexpr int kIconRight = 247;
inline constexpr int kIconLeft = 252;
inline constexpr int kIconHelp = 253;
inline constexpr int kIconCalendar = 254;
inline constexpr int kIconHelpContent = 258;

// The id of the notification-area icon.
inline constexpr unsigned kTrayIconId = 32793;

struct BarMenuEntry;

struct BarMenuPopup {
  uint32_t background = kBarMenuBackground;
  uint32_t selection = kBarMenuSelection;
  std::vector<BarMenuEntry> entries;
};

struct BarMenuEntry {
  enum class Kind { kCommand, kSeparator, kPopup };
  Kind kind = Kind::kCommand;
  std::string text;
  int command = 0;
  int iconResource = 0;  // 0: no icon from the resources
  int barIcon = -1;      // the icon of this bar of the database, or -1
  int buttonIcon = -1;   // the icon of this button of the displayed bar, or -1
  bool checked = false;
  bool isDefault = false;
  bool disabled = false;
  BarMenuPopup popup;    // kPopup only
};

// What the menus show of the bar window's state.
struct BarMenuState {
  int edge = 1;
  bool autoHide = false;
  // The window in front before the menu opened is a program a button can be made of.
  bool frontProgram = false;
};

BarMenuPopup ContextMenuModel(const BarMenuState& state);

// A name of the user's as a menu shows it literally: '&' would mark the next
// letter as the entry's key and vanish, so it is doubled.
std::string LiteralMenuText(const std::string& text);

// A bar as the bar-switch menu lists it.
struct SwitchMenuBar {
  std::string name;
  bool available = true;
};

// `emptyText` is message 54 ("{ empty }"): the only entry when there are no
// bars, and the name shown for a bar without one.
BarMenuPopup BarSwitchMenuModel(const std::vector<SwitchMenuBar>& bars, int homeBar, int displayedBar,
                                const std::string& emptyText);

// The check mark of every entry of the notification-area menu that has one.
std::vector<std::pair<int, bool>> TrayMenuChecks(const BarMenuState& state);

// Where the context menu opens: at the mouse point, or, when the request came
// from the keyboard (or its point lies outside the bar), inside the bar
// beside the edge it faces: a third of the way along it, 2 pixels in.
Point ContextMenuPoint(Point requested, bool fromKeyboard, const Rect& window, int edge);
