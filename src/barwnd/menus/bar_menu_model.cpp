#include "barwnd/menus/bar_menu_model.h"

#include "barwnd/window/bar_commands.h"
#include "barwnd/window/bar_switcher.h"
#include "barwnd/dock/screen_edge.h"

namespace {

BarMenuEntry Command(const char* text, int command, int icon = 0) {
  BarMenuEntry entry;
  entry.text = text;
  entry.command = command;
  entry.iconResource = icon;
  return entry;
}

BarMenuEntry Separator() {
  BarMenuEntry entry;
  entry.kind = BarMenuEntry::Kind::kSeparator;
  return entry;
}

BarMenuEntry Popup(const char* text, int icon, uint32_t background, std::vector<BarMenuEntry> entries) {
  BarMenuEntry entry;
  entry.kind = BarMenuEntry::Kind::kPopup;
  entry.text = text;
  entry.iconResource = icon;
  entry.popup.background = background;
  entry.popup.entries = std::move(entries);
  return entry;
}

BarMenuEntry Checked(BarMenuEntry entry, bool checked) {
  entry.checked = checked;
  return entry;
}

BarMenuEntry Disabled(BarMenuEntry entry, bool disabled) {
  entry.disabled = disabled;
  return entry;
}

BarMenuEntry ButtonsManager() { return Command("Buttons manager...", kCmdButtonsManager, kIconButtonsManager); }

}  // namespace

BarMenuPopup ContextMenuModel(const BarMenuState& state) {
  BarMenuEntry manager = ButtonsManager();
  manager.isDefault = true;
  BarMenuPopup menu;
  menu.entries = {
      Checked(Command("Autohide mode", kCmdAutoHide, kIconAutoHide), state.autoHide),
      Popup("Screen edge", kIconScreenEdge, kEdgeMenuBackground,
            {Checked(Command("Top", kCmdEdgeTop, kIconTop), state.edge == kEdgeTop),
             Checked(Command("Bottom", kCmdEdgeBottom, kIconBottom), state.edge == kEdgeBottom),
             Checked(Command("Left", kCmdEdgeLeft, kIconLeft), state.edge == kEdgeLeft),
             Checked(Command("Right", kCmdEdgeRight, kIconRight), state.edge == kEdgeRight)}),
      Separator(),
      manager,
      Command("Calendar ...", kCmdCalendar, kIconCalendar),
      Separator(),
      Command("Options ...", kCmdOptions, kIconOptions),
      Popup("Help", kIconHelp, kBarMenuBackground,
            {Command("Help Content", kCmdHelpContent, kIconHelpContent),
             Command("Orvantis.Quickrail Web Page", kCmdWebPage),
             Command("About Orvantis.Quickrail ...", kCmdAbout)}),
      Disabled(Command("Add the program in front", kCmdAddFrontProgram), !state.frontProgram),
      Command("Earlier copies...", kCmdEarlierCopies),
      Separator(),
      Command("Exit", kCmdExit),
  };
  return menu;
}

std::string LiteralMenuText(const std::string& text) {
  std::string literal;
  for (char c : text) {
    literal += c;
    if (c == '&') literal += '&';
  }
  return literal;
}

BarMenuPopup BarSwitchMenuModel(const std::vector<SwitchMenuBar>& bars, int homeBar, int displayedBar,
                                const std::string& emptyText) {
  BarMenuPopup menu;
  if (bars.empty()) menu.entries.push_back(Command(emptyText.c_str(), kFirstSwitchCommand));
  const int last = kLastSwitchCommand - kFirstSwitchCommand;
  for (int n = 0; n < static_cast<int>(bars.size()) && n <= last; ++n) {
    const SwitchMenuBar& bar = bars[static_cast<std::size_t>(n)];
    if (!bar.available) continue;  // left out, but the others keep their ids
    std::string text = "  " + (bar.name.empty() ? emptyText : LiteralMenuText(bar.name));
    if (n == homeBar) text += " (fixed)";
    BarMenuEntry entry = Command(text.c_str(), kFirstSwitchCommand + n);
    entry.barIcon = n;
    entry.checked = n == displayedBar;
    menu.entries.push_back(std::move(entry));
  }
  menu.entries.push_back(Separator());
  menu.entries.push_back(ButtonsManager());
  return menu;
}

std::vector<std::pair<int, bool>> TrayMenuChecks(const BarMenuState& state) {
  return {{kCmdAutoHide, state.autoHide},
          {kCmdEdgeTop, state.edge == kEdgeTop},
          {kCmdEdgeBottom, state.edge == kEdgeBottom},
          {kCmdEdgeLeft, state.edge == kEdgeLeft},
          {kCmdEdgeRight, state.edge == kEdgeRight}};
}

Point ContextMenuPoint(Point requested, bool fromKeyboard, const Rect& window, int edge) {
  if (!fromKeyboard && window.Contains(requested)) return requested;
  const Point along = {window.left + window.Width() / 3, window.top + window.Height() / 3};
  switch (edge) {
    case kEdgeBottom: return {along.x, window.top + 2};
    case kEdgeLeft: return {window.right - 2, along.y};
    case kEdgeRight: return {window.left + 2, along.y};
    default: return {along.x, window.bottom - 2};  // top, and an edge nobody knows
  }
}
