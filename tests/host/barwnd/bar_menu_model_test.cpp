#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "barwnd/window/bar_commands.h"
#include "barwnd/menus/bar_menu_model.h"
#include "barwnd/menus/button_menu.h"
#include "barwnd/menus/overflow_menu.h"
#include "barwnd/dock/screen_edge.h"
#include "core/message_texts.h"
#include "db/cd.h"

namespace {

using Kind = BarMenuEntry::Kind;

// One line per entry: "text id icon [checked] [default]", submenus indented.
void Describe(const BarMenuPopup& popup, const std::string& indent, std::vector<std::string>& out) {
  for (const BarMenuEntry& e : popup.entries) {
    if (e.kind == Kind::kSeparator) {
      out.push_back(indent + "-");
      continue;
    }
    std::string line = indent + e.text + " " + std::to_string(e.command) + " " + std::to_string(e.iconResource);
    if (e.barIcon >= 0) line += " bar" + std::to_string(e.barIcon);
    if (e.buttonIcon >= 0) line += " button" + std::to_string(e.buttonIcon);
    if (e.checked) line += " checked";
    if (e.isDefault) line += " default";
    if (e.disabled) line += " disabled";
    out.push_back(line);
    if (e.kind == Kind::kPopup) Describe(e.popup, indent + "  ", out);
  }
}

std::vector<std::string> Describe(const BarMenuPopup& popup) {
  std::vector<std::string> out;
  Describe(popup, "", out);
  return out;
}

const BarMenuPopup& Submenu(const BarMenuPopup& menu, const std::string& text) {
  for (const BarMenuEntry& e : menu.entries) {
    if (e.kind == Kind::kPopup && e.text == text) return e.popup;
  }
  throw std::runtime_error("no submenu " + text);
}

TEST(ContextMenuModel, EntriesIconsDefaultAndChecks) {
  const BarMenuPopup menu = ContextMenuModel({kEdgeLeft, true});
  const std::vector<std::string> expected = {
      "Autohide mode 32773 229 checked",
      "Screen edge 0 230",
      "  Top 32794 244",
      "  Bottom 32795 245",
      "  Left 32796 252 checked",
      "  Right 32797 247",
      "-",
      "Buttons manager... 32785 232 default",
      "Calendar ... 32799 254",
      "-",
      "Options ... 32777 233",
      "Help 0 253",
      "  Help Content 32784 258",
      "  Orvantis.Quickrail Web Page 32804 0",
      "  About Orvantis.Quickrail ... 32771 0",
      "Add the program in front 32806 0 disabled",
      "Earlier copies... 33070 0",
      "-",
      "Exit 32772 0",
  };
  EXPECT_EQ(Describe(menu), expected);
  const std::vector<std::string> withFront = Describe(ContextMenuModel({kEdgeLeft, true, true}));
  EXPECT_EQ(withFront.at(withFront.size() - 4), "Add the program in front 32806 0");
}

TEST(ContextMenuModel, ColoursPerPopup) {
  const BarMenuPopup menu = ContextMenuModel({kEdgeTop, false});
  EXPECT_EQ(menu.background, 0xDEE1E9u);
  EXPECT_EQ(menu.selection, 0xFF9966u);
  EXPECT_EQ(Submenu(menu, "Screen edge").background, 0xA4FAC8u);
  EXPECT_EQ(Submenu(menu, "Screen edge").selection, 0xFF9966u);
  EXPECT_EQ(Submenu(menu, "Help").background, 0xDEE1E9u);
}

TEST(ContextMenuModel, ExactlyTheCurrentEdgeIsChecked) {
  struct Case {
    int edge;
    int checked;  // command, 0 for none
  };
  for (Case c : {Case{kEdgeTop, kCmdEdgeTop}, Case{kEdgeBottom, kCmdEdgeBottom}, Case{kEdgeLeft, kCmdEdgeLeft},
                 Case{kEdgeRight, kCmdEdgeRight}, Case{7, 0}}) {
    const BarMenuPopup menu = ContextMenuModel({c.edge, false});
    EXPECT_FALSE(menu.entries[0].checked);
    for (const BarMenuEntry& e : Submenu(menu, "Screen edge").entries) {
      EXPECT_EQ(e.checked, e.command == c.checked) << c.edge << " " << e.text;
    }
    for (const auto& [command, checked] : TrayMenuChecks({c.edge, true})) {
      EXPECT_EQ(checked, command == c.checked || command == kCmdAutoHide) << c.edge << " " << command;
    }
  }
}

// Over a button the background's menu is followed by the button's submenu:
// what can be done with it depends on what it is.
TEST(ContextMenuModel, AButtonsSubmenuFollowsTheBackgroundsMenu) {
  MessageTexts texts;
  const std::vector<std::string> background = Describe(ContextMenuModel({kEdgeTop, false}));
  const std::string open = "  Open 33100 0 default", edit = "  Edit in the buttons manager... 33103 0";
  const std::string remove = "  Remove from the bar... 33104 0";
  const struct {
    MenuButton button;
    std::vector<std::string> submenu;
  } cases[] = {
      {{"Notepad", false, kFile, true, 3},
       {"Notepad 0 0 button3", open, "  Run as administrator 33101 0", "  Open file location 33102 0", edit, remove}},
      {{"Tom & Jerry.doc", false, kFile, false, 0},
       {"Tom && Jerry.doc 0 0 button0", open, "  Run as administrator 33101 0 disabled",
        "  Open file location 33102 0", edit, remove}},
      {{"Tools", false, kFolder, false, 1},
       {"Tools 0 0 button1", open, "  Run as administrator 33101 0 disabled", "  Open file location 33102 0", edit,
        remove}},
      {{"Search", false, kInternet, false, 2},
       {"Search 0 0 button2", open, "  Run as administrator 33101 0 disabled",
        "  Open file location 33102 0 disabled", edit, remove}},
      {{"", true, kSeparator, false, 4}, {"Separator 0 0", remove}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> expected = background;
    expected.push_back("-");
    expected.insert(expected.end(), c.submenu.begin(), c.submenu.end());
    EXPECT_EQ(Describe(ContextMenuModel({kEdgeTop, false}, c.button, texts)), expected) << c.button.caption;
  }
  EXPECT_EQ(RemoveQuestion(cases[0].button, texts), "Remove \"Notepad\" from the bar?\n\nThe buttons manager can add it again.");
  EXPECT_EQ(RemoveQuestion(cases[4].button, texts), "Remove this separator from the bar?");
}

TEST(BarSwitchMenuModel, UnavailableBarsKeepTheOtherIds) {
  const std::vector<SwitchMenuBar> bars = {{"Work", true}, {"Hidden", false}, {"Games & toys", true}, {"", true}};
  const std::vector<std::string> expected = {
      "  Work 17509 0 bar0",
      "  Games && toys (fixed) 17511 0 bar2 checked",
      "  { empty } 17512 0 bar3",
      "-",
      "Buttons manager... 32785 232",
  };
  EXPECT_EQ(Describe(BarSwitchMenuModel(bars, 2, 2, "{ empty }")), expected);
  // The displayed bar and the home bar are marked independently.
  const std::vector<std::string> homeOnly = Describe(BarSwitchMenuModel(bars, 0, 3, "{ empty }"));
  EXPECT_EQ(homeOnly[0], "  Work (fixed) 17509 0 bar0");
  EXPECT_EQ(homeOnly[2], "  { empty } 17512 0 bar3 checked");
}

TEST(BarSwitchMenuModel, NoBarsOffersEmptyForBarZero) {
  const BarMenuPopup menu = BarSwitchMenuModel({}, -1, 0, "{ empty }");
  const std::vector<std::string> expected = {"{ empty } 17509 0", "-", "Buttons manager... 32785 232"};
  EXPECT_EQ(Describe(menu), expected);
  EXPECT_EQ(menu.background, 0xDEE1E9u);
}

TEST(ContextMenuPoint, MousePointOrBesideTheEdgeFromTheKeyboard) {
  struct Case {
    int edge;
    Rect window;
    Point expected;
  };
  const Point keyboard = {-1, -1};
  const std::vector<Case> cases = {
      {kEdgeTop, {0, 0, 1023, 30}, {341, 28}},
      {kEdgeBottom, {0, 738, 1023, 768}, {341, 740}},
      {kEdgeLeft, {0, 0, 30, 768}, {28, 256}},
      {kEdgeRight, {994, 0, 1024, 768}, {996, 256}},
      // A bar that does not start at the screen's corner: a third of its own length.
      {kEdgeLeft, {0, 90, 30, 390}, {28, 190}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ContextMenuPoint(keyboard, false, c.window, c.edge), c.expected) << c.edge;
    const Point inside = {c.window.left + 5, c.window.top + 5};
    EXPECT_EQ(ContextMenuPoint(inside, false, c.window, c.edge), inside) << c.edge;
    EXPECT_EQ(ContextMenuPoint(inside, true, c.window, c.edge), c.expected) << c.edge;
  }
  // Over the keyboard's highlighted button: from its corner into the screen.
  const Rect button = {100, 200, 124, 224};
  EXPECT_EQ(ButtonMenuAnchor(kEdgeTop, button), (MenuAnchor{{100, 224}, false, false}));
  EXPECT_EQ(ButtonMenuAnchor(kEdgeBottom, button), (MenuAnchor{{100, 200}, false, true}));
  EXPECT_EQ(ButtonMenuAnchor(kEdgeLeft, button), (MenuAnchor{{124, 200}, false, false}));
  EXPECT_EQ(ButtonMenuAnchor(kEdgeRight, button), (MenuAnchor{{100, 200}, true, false}));
}

// The chevron's menu: each button left off the bar with its own launch
// command and icon; separators only between buttons, never two in a row.
TEST(OverflowMenuModel, ButtonsInBarOrderWithSeparatorsBetweenThem) {
  const std::vector<OverflowItem> items = {
      {true, 0, 3, ""},          {false, 1128, 4, "Mail"}, {true, 0, 5, ""}, {true, 0, 6, ""},
      {false, 1131, 7, "R&D notes"}, {false, 1133, 9, "Web"},  {true, 0, 10, ""}};
  EXPECT_EQ(Describe(OverflowMenuModel(items)),
            (std::vector<std::string>{"Mail 1128 0 button4", "-", "R&&D notes 1131 0 button7", "Web 1133 0 button9"}));
  EXPECT_TRUE(OverflowMenuModel({{true, 0, 0, ""}}).entries.empty());
}

}  // namespace
