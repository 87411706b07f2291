// What a right click on a button of the bar offers: the bar's context menu
// as the background gives it, with one more entry at its end, a submenu named
// after the button holding what can be done with that button. Plain data
// here; BarMenus builds the menu and the bar window carries out its commands.
#pragma once

#include <string>

#include "barwnd/menus/bar_menu_model.h"
#include "barwnd/menus/overflow_menu.h"

class MessageTexts;

// The commands of a button's submenu; they act on the button the menu was
// opened over, which the bar window keeps while the menu is open.
inline constexpr int kCmdButtonOpen = 33100;
inline constexpr int kCmdButtonRunAsAdmin = 33101;
inline constexpr int kCmdButtonFileLocation = 33102;
inline constexpr int kCmdButtonEdit = 33103;
inline constexpr int kCmdButtonRemove = 33104;

constexpr bool IsButtonMenuCommand(int id) { return id >= kCmdButtonOpen && id <= kCmdButtonRemove; }

// The button the menu was asked for over.
struct MenuButton {
  std::string caption;
  bool separator = false;
  int kind = 0;          // its ButtonKind
  bool program = false;  // its target starts a program (an ".exe" or a shortcut to one)
  int position = -1;     // its place in the displayed bar: the submenu shows its icon
};

// The submenu entry for `button`: named after it ("Separator" for one),
// with "Open" (the default), "Run as administrator" (greyed unless it is a
// program), "Open file location" (greyed for web addresses), "Edit in the
// buttons manager..." and "Remove from the bar..."; a separator's holds only
// the last.
BarMenuEntry ButtonSubmenu(const MenuButton& button, MessageTexts& texts);

// The context menu over a button: the background's menu, then the button's submenu.
BarMenuPopup ContextMenuModel(const BarMenuState& state, const MenuButton& button, MessageTexts& texts);

// The question before the button leaves the bar.
std::string RemoveQuestion(const MenuButton& button, MessageTexts& texts);

// Where the menu opens when it is asked for from the keyboard over the
// highlighted button (screen coordinates): at the button's corner, into the
// screen, away from the edge the bar stands on.
MenuAnchor ButtonMenuAnchor(int edge, const Rect& button);
