// The bar's hot key on the bar window made in this process: under the open
// buttons manager, whose edits change the model before any rebuild, and the
// keyboard's turn across a rebuild of the buttons toolbar.
#include "win/barwnd/bar_window_fixture.h"

#include "barwnd/dock/appbar_controller.h"
#include "barwnd/window/bar_commands.h"
#include "barwnd/window/bar_hotkey_win.h"

namespace bar_window_test {
namespace {

int HotItem(HWND toolbar) { return static_cast<int>(::SendMessageA(toolbar, TB_GETHOTITEM, 0, 0)); }

std::string TipOf(HWND tooltip, HWND toolbar, int command) {
  char text[80] = {};
  TOOLINFOA info = {};
  info.cbSize = sizeof(info);
  info.lpszText = text;
  info.hwnd = toolbar;
  info.uId = static_cast<UINT_PTR>(command);
  ::SendMessageA(tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info));
  return text;
}

void PressHotKey(HWND bar) { ::SendMessageA(bar, WM_HOTKEY, BarKeyboard::kHotKeyId, 0); }

class BarKeyboardTest : public BarWindowTest {
 protected:
  // Runs inside the manager's modal loop: the manager's edits take the
  // shown bar's buttons out of the model (no Apply, no rebuild), then the
  // hot key comes; what it did is noted and the manager cancelled.
  static void CALLBACK HotKeyUnderManager(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    BarKeyboardTest& test = *current_;
    HWND bar = test.window_->Hwnd();
    HWND manager = ::GetForegroundWindow();
    test.underManager_.managerWasInFront = manager != bar && ::GetWindow(manager, GW_OWNER) == bar;
    while (test.db_.Bar(0)->Count() > 0) test.db_.Bar(0)->Remove(0);
    ::SetForegroundWindow(bar);  // the user was elsewhere; the manager must come back
    PressHotKey(bar);
    test.underManager_.front = ::GetForegroundWindow() == manager;
    test.underManager_.hot = HotItem(test.window_->ButtonsToolbar());
    test.underManager_.tip = TipOf(test.window_->Tooltip(), test.window_->ButtonsToolbar(), 1124);
    ::PostMessageA(manager, WM_COMMAND, IDCANCEL, 0);
  }

  struct UnderManager {
    bool managerWasInFront = false;
    bool front = false;
    int hot = 99;
    std::string tip;
  };
  static BarKeyboardTest* current_;
  UnderManager underManager_;
};

BarKeyboardTest* BarKeyboardTest::current_ = nullptr;

TEST_F(BarKeyboardTest, TheHotKeyUnderTheOpenManagerBringsTheManagerForward) {
  AddBar("one", {"a", "b"});
  Open();
  current_ = this;
  ::SetTimer(nullptr, 0, 500, &HotKeyUnderManager);
  ::SendMessageA(window_->Hwnd(), WM_COMMAND, kCmdButtonsManager, 0);
  ASSERT_TRUE(underManager_.managerWasInFront);
  EXPECT_TRUE(underManager_.front);
  EXPECT_EQ(underManager_.hot, -1) << "the keyboard did not take the bar";
  EXPECT_EQ(underManager_.tip, "a") << "no digits shown";
  EXPECT_EQ(Commands(), (std::vector<int>{1124, 1125})) << "Cancel put the buttons back";
}

// The toolbar as it was built, not the model as it is now, gives the tips
// their names when the keyboard takes the bar.
TEST_F(BarKeyboardTest, TheHotKeyOverAChangedModelShowsTheBuiltButtons) {
  AddBar("one", {"a", "-", "b"});
  BarWindow& bar = Open();
  db_.Bar(0)->Remove(2);
  db_.Bar(0)->Remove(0);
  PressHotKey(bar.Hwnd());
  EXPECT_EQ(HotItem(bar.ButtonsToolbar()), 0);
  EXPECT_EQ(TipOf(bar.Tooltip(), bar.ButtonsToolbar(), 1124), "1: a");
  EXPECT_EQ(TipOf(bar.Tooltip(), bar.ButtonsToolbar(), 1126), "2: b");
}

// A rebuild under the keyboard (here a button whose target went) keeps the
// highlight on the same button and the autohide bar out until Escape.
TEST_F(BarKeyboardTest, TheKeyboardKeepsTheBarAcrossARebuild) {
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
  EXPECT_EQ(Commands(), (std::vector<int>{1124, 1126}));
  EXPECT_EQ(::GetFocus(), bar.ButtonsToolbar());
  EXPECT_EQ(HotItem(bar.ButtonsToolbar()), 1) << "still on c";
  EXPECT_EQ(TipOf(bar.Tooltip(), bar.ButtonsToolbar(), 1126), "2: c");
  ::SetCursorPos(400, 400);  // away from the bar, as the autohide check sees it
  ::SendMessageA(bar.Hwnd(), WM_TIMER, kAutoHideTimerId, 0);
  EXPECT_TRUE(bar.Shown());

  ::SendMessageA(bar.ButtonsToolbar(), WM_KEYDOWN, VK_ESCAPE, 0);
  ::SendMessageA(bar.Hwnd(), WM_TIMER, kAutoHideTimerId, 0);
  EXPECT_FALSE(bar.Shown());
}

}  // namespace
}  // namespace bar_window_test
