// The bar's three menus opened for a stand-in bar window in this process: what
// each holds while it is open (looked at from a timer of the owner window,
// which the menu loop keeps dispatching), where it opens, the dialog-open flag
// around it, and that it is gone with its icons afterwards.
#include "barwnd/menus/bar_menus_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/message_texts.h"
#include "icons/button_icon_win.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "platform/display_scale_win.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"
#include "widgets/menu_xp_win.h"
#include "support/pump_messages_win.h"
#include "support/scratch_folder.h"

namespace {

constexpr UINT_PTR kLookTimer = 77;

class StandInBar : public Window, public BarMenuHost {
 public:
  StandInBar(const RECT& rect, int edge) : edge_(edge) {
    EXPECT_TRUE(Create("QrMenusTestBar", "bar", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, rect.left, rect.top,
                       rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr));
  }

  // Runs `look` once while the next menu is open, then closes the menu (or
  // leaves that to `look`).
  void LookWhileOpen(std::function<void()> look) {
    look_ = std::move(look);
    ::SetTimer(Hwnd(), kLookTimer, 300, nullptr);
  }

  HWND BarHwnd() override { return Hwnd(); }
  int Edge() override { return edge_; }
  bool AutoHide() override { return autoHide; }
  int DisplayedBar() override { return displayed; }
  RECT SwitchButtonScreenRect() override { return switchButton; }
  void SetDialogOpen(bool open) override { dialogOpen.push_back(open); }

  BarMenus* menus = nullptr;
  bool autoHide = false;
  int displayed = 0;
  RECT switchButton = {};
  std::vector<bool> dialogOpen;
  std::vector<int> commands;
  int measured = 0;
  std::vector<MEASUREITEMSTRUCT> answers;
  int drawn = 0;
  bool looked = false;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_MEASUREITEM:
        if (menus && menus->OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) {
          ++measured;
          answers.push_back(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
        }
        return TRUE;
      case WM_DRAWITEM:
        if (menus && menus->OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp))) ++drawn;
        return TRUE;
      case WM_COMMAND:
        commands.push_back(LOWORD(wp));
        return 0;
      case WM_TIMER:
        if (wp == kLookTimer) {
          ::KillTimer(Hwnd(), kLookTimer);
          looked = true;
          if (look_) look_();
          return 0;
        }
        break;
    }
    return Window::HandleMessage(msg, wp, lp);
  }

 private:
  int edge_;
  std::function<void()> look_;
};

HWND OpenMenuWindow() { return ::FindWindowA("#32768", nullptr); }

RECT ScreenRectOf(HWND hwnd) {
  RECT r = {};
  ::GetWindowRect(hwnd, &r);
  return r;
}

UINT StateOf(HMENU menu, int command) { return ::GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND); }

const MenuItemRecord* RecordAt(HMENU menu, int position) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA;
  ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
  return reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
}

bool IconAlive(HICON icon) {
  ICONINFO info = {};
  if (!::GetIconInfo(icon, &info)) return false;
  ::DeleteObject(info.hbmMask);
  ::DeleteObject(info.hbmColor);
  return true;
}

std::string ThisProgram() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

class BarMenusTest : public testing::Test {
 protected:
  CDB db_;
  MessageTexts texts_;
};

TEST_F(BarMenusTest, ContextMenuFromTheKeyboardOnTheLeftEdge) {
  StandInBar bar({0, 100, 30, 700}, 0);
  bar.autoHide = true;
  BarMenus menus(bar, db_, texts_, nullptr);
  bar.menus = &menus;
  std::vector<HICON> icons;
  HMENU shown = nullptr;
  bar.LookWhileOpen([&] {
    ASSERT_NE(menus.Tracked(), nullptr);
    shown = menus.Tracked()->Handle();
    EXPECT_EQ(bar.dialogOpen, std::vector<bool>{true});
    HWND window = OpenMenuWindow();
    ASSERT_TRUE(window);
    const RECT at = ScreenRectOf(window);
    EXPECT_EQ(at.left, 28);   // the bar's right side, 2 pixels in
    EXPECT_EQ(at.top, 300);   // a third of the way down the bar
    EXPECT_EQ(::GetMenuItemCount(shown), 12);
    EXPECT_TRUE(StateOf(shown, 32773) & MF_CHECKED);
    EXPECT_TRUE(StateOf(shown, 32806) & MF_GRAYED);  // the test's bar had no window in front
    EXPECT_EQ(::GetMenuDefaultItem(shown, FALSE, 0), 32785u);
    HMENU edges = ::GetSubMenu(shown, 1);
    for (int command : {32794, 32795, 32797}) EXPECT_FALSE(StateOf(edges, command) & MF_CHECKED) << command;
    EXPECT_TRUE(StateOf(edges, 32796) & MF_CHECKED);
    EXPECT_EQ(menus.Tracked()->colors.background, 0xDEE1E9u);
    EXPECT_EQ(menus.Tracked()->colors.selection, 0xFF9966u);
    EXPECT_EQ(const_cast<CMenuXP*>(menus.Tracked())->FindMenu(edges)->colors.background, 0xA4FAC8u);
    // Every entry has its icon but the separators, Exit, the entries adding the
    // program in front and opening the earlier copies, and two of the Help entries.
    for (HMENU popup : {shown, edges, ::GetSubMenu(shown, 7)}) {
      for (int position = 0; position < ::GetMenuItemCount(popup); ++position) {
        const MenuItemRecord* record = RecordAt(popup, position);
        ASSERT_NE(record, nullptr);
        const bool wantsIcon = !record->separator && record->text != "Exit" &&
                               record->text != "Add the program in front" && record->text != "Earlier copies..." &&
                               record->text != "Orvantis.Quickrail Web Page" &&
                               record->text != "About Orvantis.Quickrail ...";
        EXPECT_EQ(static_cast<bool>(record->icon), wantsIcon) << record->text;
        if (record->icon) icons.push_back(record->icon.Get());
      }
    }
    EXPECT_GT(bar.measured, 0);
    EXPECT_GT(bar.drawn, 0);
    // The last entry, Exit, chosen from the keyboard.
    ::PostMessageA(window, WM_KEYDOWN, VK_UP, 0);
    ::PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
  });
  menus.ShowContextMenu({-1, -1}, true);
  ASSERT_TRUE(bar.looked);
  PumpMessages(10000, [&] { return !bar.commands.empty(); });
  EXPECT_EQ(bar.commands, std::vector<int>{32772});
  EXPECT_EQ(bar.dialogOpen, (std::vector<bool>{true, false}));
  EXPECT_EQ(menus.Tracked(), nullptr);
  EXPECT_FALSE(::IsMenu(shown));
  ASSERT_EQ(icons.size(), 11u);
  for (HICON icon : icons) EXPECT_FALSE(IconAlive(icon));
}

TEST_F(BarMenusTest, BarSwitchMenuListsTheAvailableBarsUnderTheButton) {
  for (const char* name : {"Work", "Hidden", "Games", ""}) {
    CBar* added = db_.Bar(db_.AddBar(name));
    added->IconFile = ThisProgram();
  }
  db_.Bar(1)->Available = 0;
  db_.SetHomeBar(2);
  StandInBar bar({0, 0, 1000, 30}, 1);
  bar.displayed = 3;
  bar.switchButton = {200, 4, 223, 26};
  BarMenus menus(bar, db_, texts_, nullptr);
  bar.menus = &menus;
  std::vector<HICON> icons;
  bar.LookWhileOpen([&] {
    EXPECT_EQ(bar.dialogOpen, std::vector<bool>{true});
    const RECT at = ScreenRectOf(OpenMenuWindow());
    EXPECT_EQ(at.left, 200);
    EXPECT_EQ(at.top, 26);
    HMENU shown = menus.Tracked()->Handle();
    struct Entry {
      const char* text;
      UINT id;
      bool checked;
    };
    const std::vector<Entry> expected = {{"  Work", 17509, false},
                                         {"  Games (fixed)", 17511, false},
                                         {"  { empty }", 17512, true},
                                         {"", 0, false},
                                         {"Buttons manager...", 32785, false}};
    ASSERT_EQ(::GetMenuItemCount(shown), static_cast<int>(expected.size()));
    for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
      const MenuItemRecord* record = RecordAt(shown, i);
      EXPECT_EQ(record->text, expected[i].text);
      EXPECT_EQ(::GetMenuItemID(shown, i), expected[i].id);
      EXPECT_EQ((::GetMenuState(shown, i, MF_BYPOSITION) & MF_CHECKED) != 0, expected[i].checked) << i;
      if (i != 3) {
        EXPECT_TRUE(record->icon) << record->text;
      }
      if (record->icon) icons.push_back(record->icon.Get());
    }
    ::EndMenu();
  });
  menus.ShowBarSwitchMenu();
  ASSERT_TRUE(bar.looked);
  EXPECT_EQ(bar.dialogOpen, (std::vector<bool>{true, false}));
  ASSERT_EQ(icons.size(), 4u);
  for (HICON icon : icons) EXPECT_FALSE(IconAlive(icon));
}

// With an icon cache handed down the bars' icons come from it: looked up the first
// time the menu opens, kept in the file, and not asked of the shell again.
TEST_F(BarMenusTest, BarSwitchMenuTakesTheBarsIconsFromTheIconCache) {
  ScratchFolder program;
  db_.SetProgramFolder(program.Path());
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string notepad = std::string(windows) + "\\notepad.exe";
  for (const std::string& icon : {ThisProgram(), ThisProgram(), notepad}) {
    db_.Bar(db_.AddBar("bar"))->IconFile = icon;
  }
  ButtonIconCache cache(program.Path());
  cache.Load();
  cache.FinishStartup(db_);
  StandInBar bar({0, 0, 1000, 30}, 1);
  BarMenus menus(bar, db_, texts_, &cache);
  bar.menus = &menus;

  for (int opening = 0; opening < 2; ++opening) {
    std::vector<IconImage> shown;
    bar.LookWhileOpen([&] {
      HMENU menu = menus.Tracked()->Handle();
      for (int i = 0; i < 3; ++i) shown.push_back(CaptureIconImage(RecordAt(menu, i)->icon.Get(), 16));
      ::EndMenu();
    });
    menus.ShowBarSwitchMenu();
    ASSERT_TRUE(bar.looked);
    bar.looked = false;
    EXPECT_EQ(cache.LookUps(), 2) << "one look-up per icon, at the first opening only";
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], shown[1]);
    // What the shell gives for the bar's icon.
    ButtonIcons expected = GetButtonIcon(notepad, 0, program.Path());
    EXPECT_EQ(shown[2], CaptureIconImage(expected.Small.Get(), 16));
    EXPECT_FALSE(shown[0].Empty());
  }
  ButtonIconCache reread(program.Path());
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(reread.Table().Size(), 2u);
}

int IconSide(HICON icon) {
  ICONINFO info = {};
  if (!::GetIconInfo(icon, &info)) return 0;
  BITMAP mask = {};
  ::GetObjectA(info.hbmMask, sizeof(mask), &mask);
  ::DeleteObject(info.hbmMask);
  ::DeleteObject(info.hbmColor);
  return mask.bmWidth;
}

// The caption's extent in the bold menu font of the system (at the session's DPI).
SIZE BoldMenuTextExtent(const std::string& text) {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  metrics.lfMenuFont.lfWeight = FW_BOLD;
  UniqueFont font(::CreateFontIndirectA(&metrics.lfMenuFont));
  WindowDC screen(nullptr);
  SelectScope selected(screen.Get(), font.Get());
  RECT r = {0, 0, 0, 0};
  ::DrawTextA(screen.Get(), text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

// The context menu measured through the bar's WM_MEASUREITEM at the session's
// DPI: at 96 DPI an item is 20 pixels high and its caption has 32 pixels
// around it (two icon sides, the margins, less the check mark the system
// adds); at 144 DPI both are 1.5 times that. The icons are made at the
// small icon side of the scale.
TEST_F(BarMenusTest, ContextMenuIsMeasuredAtEveryScale) {
  const int dpi = SystemDpi();
  const int tolerance = dpi == kBaseDpi ? 0 : 1;
  StandInBar bar({0, 0, 1000, 30}, 1);
  BarMenus menus(bar, db_, texts_, nullptr);
  bar.menus = &menus;
  std::vector<int> iconSides;
  int items = 0;
  bar.LookWhileOpen([&] {
    // The records live while the menu is open: their answers are looked at here.
    for (const MEASUREITEMSTRUCT& answer : bar.answers) {
      const auto* record = reinterpret_cast<const MenuItemRecord*>(answer.itemData);
      EXPECT_EQ(record->iconSize, IconSidesAt(dpi).small);
      if (record->icon) iconSides.push_back(IconSide(record->icon.Get()));
      if (record->separator) continue;
      ++items;
      const SIZE text = BoldMenuTextExtent(record->text);
      EXPECT_LT(text.cy, ScalePx(20, dpi)) << "the caption is lower than the icon square";
      EXPECT_NEAR(static_cast<int>(answer.itemHeight), ScalePx(20, dpi), tolerance) << record->text;
      EXPECT_NEAR(static_cast<int>(answer.itemWidth) - text.cx, ScalePx(32, dpi), tolerance) << record->text;
    }
    if (menus.Tracked()) {
      EXPECT_EQ(menus.Tracked()->Scale().dpi, dpi);
    }
    ::EndMenu();
  });
  menus.ShowContextMenu({-1, -1}, true);
  ASSERT_TRUE(bar.looked);
  EXPECT_GT(items, 5);
  ASSERT_FALSE(iconSides.empty());
  for (int side : iconSides) EXPECT_EQ(side, ScalePx(16, dpi));
}

TEST_F(BarMenusTest, TrayMenuIsThePlainMenuWithTheBarsChecks) {
  StandInBar bar({994, 0, 1024, 768}, 2);
  bar.autoHide = true;
  BarMenus menus(bar, db_, texts_, nullptr);
  bar.menus = &menus;
  HMENU shown = nullptr;
  bar.LookWhileOpen([&] {
    HWND window = OpenMenuWindow();
    ASSERT_TRUE(window);
    shown = reinterpret_cast<HMENU>(::SendMessageA(window, MN_GETHMENU, 0, 0));
    ASSERT_TRUE(shown);
    EXPECT_EQ(menus.Tracked(), nullptr);
    EXPECT_TRUE(bar.dialogOpen.empty());
    const RECT at = ScreenRectOf(window);
    EXPECT_EQ(at.left, 300);
    EXPECT_EQ(at.top, 200);
    EXPECT_EQ(::GetMenuItemCount(shown), 11);  // "Earlier copies..." before the last separator
    EXPECT_TRUE(StateOf(shown, 32773) & MF_CHECKED);
    for (int command : {32794, 32795, 32796}) EXPECT_FALSE(StateOf(shown, command) & MF_CHECKED) << command;
    EXPECT_TRUE(StateOf(shown, 32797) & MF_CHECKED);
    EXPECT_EQ(::GetMenuDefaultItem(shown, FALSE, 0), 32785u);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoA(shown, 0, TRUE, &info);
    EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
    ::EndMenu();
  });
  menus.ShowTrayMenu({300, 200});
  ASSERT_TRUE(bar.looked);
  EXPECT_TRUE(bar.dialogOpen.empty());
  EXPECT_EQ(bar.measured, 0);
  EXPECT_FALSE(::IsMenu(shown));
}

}  // namespace
