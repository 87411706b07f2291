// The bar window created modeless in this process on a prepared database and
// settings: the toolbars it builds, the panel, the tooltip texts, docking
// through the shell, bar switching and the return to the home bar, and the
// hot key's keyboard over a changed model and across a rebuild.
#include "win/barwnd/bar_window_fixture.h"

#include "barwnd/dock/appbar_controller.h"
#include "barwnd/window/bar_commands.h"

namespace bar_window_test {
namespace {

struct IconCase {
  bool large;
  int width;
  int height;
};

class BarWindowButtonSize : public BarWindowTest, public testing::WithParamInterface<IconCase> {};

TEST_P(BarWindowButtonSize, ButtonsAndSeparatorsHaveTheirSizes) {
  settings_.LargeIcon = GetParam().large ? 1 : 0;
  AddBar("one", {"a", "b", "-", "c"});
  BarWindow& bar = Open();
  ASSERT_NE(bar.ButtonsToolbar(), nullptr);
  const std::vector<ButtonLook> buttons = Buttons();
  ASSERT_EQ(buttons.size(), 4u);
  for (const ButtonLook& b : buttons) {
    const int width = b.rect.right - b.rect.left;
    if (b.separator) {
      EXPECT_EQ(width, 12);
    } else {
      EXPECT_EQ(width, GetParam().width);
      EXPECT_EQ(b.rect.bottom - b.rect.top, GetParam().height);
    }
  }
  // The switch button is as big as a launch button.
  RECT switchRect = {};
  ::SendMessageA(bar.SwitchToolbar(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&switchRect));
  EXPECT_EQ(switchRect.right - switchRect.left, GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(Icons, BarWindowButtonSize, testing::Values(IconCase{false, 23, 22}, IconCase{true, 39, 38}));

TEST_F(BarWindowTest, HiddenAndMissingButtonsLeaveNoGap) {
  const int bar = AddBar("one", {"a", "b", "c", "d"});
  db_.Bar(bar)->At(3)->Available = 0;  // hidden by the user
  ASSERT_EQ(db_.Save(), 1);
  ::DeleteFileA((folder_ + "\\b.txt").c_str());  // gone since the last start
  ASSERT_EQ(db_.Load(), 1);
  Open();
  EXPECT_EQ(Commands(), (std::vector<int>{1124, 1126}));
  const std::vector<ButtonLook> buttons = Buttons();
  EXPECT_EQ(buttons[1].rect.left, buttons[0].rect.right);
  ::DeleteFileA((folder_ + "\\lbars.acc").c_str());
}

TEST_F(BarWindowTest, LeftEdgeStacksButtonsWithTheSeparatorBetweenRows) {
  settings_.Edge = 0;
  AddBar("one", {"one", "two", "-", "three"});
  Open();
  const std::vector<ButtonLook> b = Buttons();
  ASSERT_EQ(b.size(), 4u);
  EXPECT_EQ(b[0].rect.left, b[1].rect.left);
  EXPECT_EQ(b[1].rect.left, b[3].rect.left);
  EXPECT_LE(b[0].rect.bottom, b[1].rect.top);
  EXPECT_LT(b[1].rect.bottom, b[3].rect.top);  // the separator stands between two and three
}

TEST_F(BarWindowTest, DockedOnTheReturnedRectangleAcrossTheScreen) {
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
  AddBar("one", {"a"});
  settings_.Edge = 3;
  BarWindow& bar = Open();
  RECT r = WindowRect();
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, screenW);
  EXPECT_EQ(r.bottom, screenH);
  const int thickness = r.bottom - r.top;
  EXPECT_GE(thickness, 22 + 4);

  ::SendMessageA(bar.Hwnd(), WM_COMMAND, 32797, 0);  // right edge
  r = WindowRect();
  EXPECT_EQ(bar.Edge(), 2);
  EXPECT_EQ(r.right, screenW);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.bottom, screenH);
  ::SendMessageA(bar.Hwnd(), WM_COMMAND, 32794, 0);  // top edge
  EXPECT_EQ(WindowRect().bottom - WindowRect().top, thickness);
  EXPECT_EQ(WindowRect().top, 0);
}

TEST_F(BarWindowTest, ClockPanelFollowsItsSettings) {
  struct Case {
    int block, date, time;
    bool panel;
  };
  for (const Case c : {Case{1, 1, 1, true}, Case{1, 0, 1, true}, Case{1, 1, 0, true}, Case{1, 0, 0, false},
                       Case{0, 1, 1, false}}) {
    settings_.ShowBlock = c.block;
    settings_.ShowCal = c.date;
    settings_.ShowClock = c.time;
    BarWindow& bar = Open();
    HWND panel = bar.ClockPanelWindow();
    EXPECT_EQ(panel != nullptr, c.panel) << c.block << c.date << c.time;
    if (panel) {
      EXPECT_TRUE(::IsWindowVisible(panel));
      EXPECT_TRUE(::GetWindowLongA(panel, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    }
    window_.reset();
  }
  // Switched off later by the options: the panel goes.
  settings_.ShowBlock = 1;
  BarWindow& bar = Open();
  ASSERT_NE(bar.ClockPanelWindow(), nullptr);
  settings_.ShowBlock = 0;
  bar.ApplyOptions();
  EXPECT_EQ(bar.ClockPanelWindow(), nullptr);
}

TEST_F(BarWindowTest, SwitchButtonTipNamesTheDisplayedBarCut) {
  EXPECT_EQ((Open(), SwitchTip()), "{ empty }");
  window_.reset();
  AddBar(std::string(100, 'n'), {"a"});
  AddBar("second", {"b"});
  BarWindow& bar = Open();
  EXPECT_EQ(SwitchTip(), std::string(79, 'n'));
  ::SendMessageA(bar.Hwnd(), WM_COMMAND, 17510, 0);
  EXPECT_EQ(SwitchTip(), "second");
}

TEST_F(BarWindowTest, SwitchingBarsRebuildsTheToolbar) {
  AddBar("first", {"a", "b"});
  AddBar("second", {"c"});
  settings_.CurrentBar = 1;
  BarWindow& bar = Open();
  EXPECT_EQ(bar.DisplayedBar(), 1);
  EXPECT_EQ(Commands(), (std::vector<int>{1188}));
  ::SendMessageA(bar.Hwnd(), WM_COMMAND, 17509, 0);
  EXPECT_EQ(Commands(), (std::vector<int>{1124, 1125}));
}

TEST_F(BarWindowTest, HomeBarComesBackOnItsTimerAndAfterALaunch) {
  const int home = AddBar("home", {"a"});
  AddBar("other", {"b"});
  db_.Bar(home)->ShowOnTimer = 1;
  db_.Bar(home)->ShowAfter = 300;
  db_.Bar(home)->ShowOnLaunch = 1;
  db_.SetHomeBar(home);
  settings_.CurrentBar = 1;
  BarWindow& bar = Open();
  EXPECT_EQ(bar.DisplayedBar(), 0);  // the home bar wins over CurrentBar

  ::SendMessageA(bar.Hwnd(), WM_COMMAND, 17510, 0);
  EXPECT_EQ(bar.DisplayedBar(), 1);
  PumpMessages(2000, [&] { return bar.DisplayedBar() == 0; });
  EXPECT_EQ(bar.DisplayedBar(), 0);
  EXPECT_EQ(Commands(), (std::vector<int>{1124}));

  ::SendMessageA(bar.Hwnd(), WM_COMMAND, 17510, 0);
  ::SendMessageA(bar.Hwnd(), WM_COMMAND, 1188, 0);  // what a click on "b" sends
  EXPECT_EQ(launched_, (std::vector<std::string>{folder_ + "\\b.txt"}));
  EXPECT_EQ(bar.DisplayedBar(), 0);
}

// Writes down the shown bar that each settings write gets.
struct ShownBarHost : QuietBarHost {
  void WriteSettings(const Settings&, const LiveViewValues&, int32_t shown) override { written.push_back(shown); }
  std::vector<int32_t> written;
} g_shownBarHost;
BarWindow* g_bar = nullptr;

BOOL CALLBACK CancelOwnedDialog(HWND hwnd, LPARAM owner) {
  if (::GetWindow(hwnd, GW_OWNER) == reinterpret_cast<HWND>(owner)) ::PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

// Inside the manager's modal loop: an edit moves the shown bar (as deleting or
// moving it does) and is never applied; Windows asks whether the logon may end.
void CALLBACK LogoffInOpenManager(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  g_bar->SetDisplayedBar(0);
  g_shownBarHost.written.clear();
  ::SendMessageA(g_bar->Hwnd(), WM_QUERYENDSESSION, 0, 0);
  ::EnumThreadWindows(::GetCurrentThreadId(), &CancelOwnedDialog, reinterpret_cast<LPARAM>(g_bar->Hwnd()));
}

TEST_F(BarWindowTest, LogoffWithTheManagerOpenWritesTheShownBarOfItsLastSave) {
  AddBar("first", {"a"});
  AddBar("second", {"b"});
  settings_.CurrentBar = 1;
  window_ = std::make_unique<BarWindow>(settings_, db_, texts_, nullptr, g_shownBarHost);
  g_bar = window_.get();
  ASSERT_TRUE(window_->CreateModeless(nullptr));
  ::SetTimer(nullptr, 0, 300, &LogoffInOpenManager);
  ::SendMessageA(g_bar->Hwnd(), WM_COMMAND, kCmdButtonsManager, 0);
  EXPECT_EQ(g_shownBarHost.written, std::vector<int32_t>{1});
}

// Each launch button has a tool with its caption over the button itself, on
// rows and on columns alike.
class BarWindowTooltips : public BarWindowTest, public testing::WithParamInterface<int> {};

TEST_P(BarWindowTooltips, CoverTheirButtons) {
  settings_.Edge = GetParam();
  AddBar("one", {"first", "-", "second", "third"});
  BarWindow& bar = Open();
  const std::vector<ButtonLook> buttons = Buttons();
  const std::vector<std::pair<int, std::string>> tools = {{0, "first"}, {2, "second"}, {3, "third"}};
  for (const auto& [index, caption] : tools) {
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    char text[80] = {};
    info.lpszText = text;
    info.hwnd = bar.ButtonsToolbar();
    info.uId = static_cast<UINT_PTR>(buttons[index].command);
    ASSERT_TRUE(::SendMessageA(bar.Tooltip(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(text, caption);
    EXPECT_TRUE(::EqualRect(&info.rect, &buttons[index].rect)) << caption;
  }
  if (GetParam() == 1) {
    EXPECT_EQ(buttons[2].rect.left, 23 + 12);
  }
}

INSTANTIATE_TEST_SUITE_P(Edges, BarWindowTooltips, testing::Values(0, 1));

int HotItem(HWND toolbar) { return static_cast<int>(::SendMessageA(toolbar, TB_GETHOTITEM, 0, 0)); }

std::string TipOf(const BarWindow& bar, int command) {
  char text[80] = {};
  TOOLINFOA info = {};
  info.cbSize = sizeof(info);
  info.hwnd = bar.ButtonsToolbar();
  info.uId = static_cast<UINT_PTR>(command);
  info.lpszText = text;
  ::SendMessageA(bar.Tooltip(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info));
  return text;
}

void PressHotKey(HWND bar) { ::SendMessageA(bar, WM_HOTKEY, BarKeyboard::kHotKeyId, 0); }

// The toolbar as it was built, not the model as it is now, gives the tips
// their names when the keyboard takes the bar.
TEST_F(BarWindowTest, TheHotKeyOverAChangedModelShowsTheBuiltButtons) {
  AddBar("one", {"a", "-", "b"});
  BarWindow& bar = Open();
  db_.Bar(0)->Remove(2);
  db_.Bar(0)->Remove(0);
  PressHotKey(bar.Hwnd());
  EXPECT_EQ(HotItem(bar.ButtonsToolbar()), 0);
  EXPECT_EQ(TipOf(bar, 1124), "1: a");
  EXPECT_EQ(TipOf(bar, 1126), "2: b");
}

// A rebuild under the keyboard (here a button whose target went) keeps the
// highlight on the same button and the autohide bar out until Escape.
TEST_F(BarWindowTest, TheKeyboardKeepsTheBarAcrossARebuild) {
  AddBar("one", {"a", "b", "c"});
  BarWindow& bar = Open();
  ::SendMessageA(bar.Hwnd(), WM_COMMAND, kCmdAutoHide, 0);
  ASSERT_FALSE(bar.Shown());
  PressHotKey(bar.Hwnd());
  ASSERT_TRUE(bar.Shown());
  for (int i = 0; i < 2; ++i) ::SendMessageA(bar.ButtonsToolbar(), WM_KEYDOWN, VK_RIGHT, 0);
  ASSERT_EQ(HotItem(bar.ButtonsToolbar()), 2);
  db_.Bar(0)->At(1)->Available = 0;
  bar.RebuildButtons();
  EXPECT_EQ(::GetFocus(), bar.ButtonsToolbar());
  EXPECT_EQ(HotItem(bar.ButtonsToolbar()), 1) << "still on c";
  EXPECT_EQ(TipOf(bar, 1126), "2: c");
  ::SetCursorPos(400, 400);  // away from the bar, as the autohide check sees it
  ::SendMessageA(bar.Hwnd(), WM_TIMER, kAutoHideTimerId, 0);
  EXPECT_TRUE(bar.Shown());
  ::SendMessageA(bar.ButtonsToolbar(), WM_KEYDOWN, VK_ESCAPE, 0);
  ::SendMessageA(bar.Hwnd(), WM_TIMER, kAutoHideTimerId, 0);
  EXPECT_FALSE(bar.Shown());
}

}  // namespace
}  // namespace bar_window_test
