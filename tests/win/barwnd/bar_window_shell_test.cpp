// The bar window with the real shell: a refused first dock, a cancelled logoff, a full-screen
// application's notice, buttons whose icons cannot be found, and a click whose
// return to the home bar rebuilds the toolbar that was clicked.
#include "win/barwnd/bar_window_fixture.h"

#include <shellapi.h>

#include "support/draw_pixels_win.h"
#include "win/widgets/message_box_watch_win.h"

namespace bar_window_test {
namespace {

bool Topmost(HWND hwnd) { return (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

APPBARDATA AppBarRecord(HWND hwnd, UINT edge = ABE_BOTTOM, RECT rect = {}) {
  APPBARDATA data = {};
  data.cbSize = sizeof(data);
  data.hWnd = hwnd;
  data.uEdge = edge;
  data.rc = rect;
  return data;
}

// The shell refuses a second registration of a window it already knows; a
// window it took on the probe's behalf is let go again at once.
bool IsRegisteredAppBar(HWND hwnd) {
  APPBARDATA data = AppBarRecord(hwnd);
  if (!::SHAppBarMessage(ABM_NEW, &data)) return true;
  ::SHAppBarMessage(ABM_REMOVE, &data);
  return false;
}

// Where the shell lets an appbar registered after the bar stand on the bottom
// edge: above whatever the bar reserves there.
LONG FreeBottomForANewAppBar() {
  Window probe;
  EXPECT_TRUE(probe.Create("QrAppBarProbe", "", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 10, 10, nullptr, nullptr));
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  APPBARDATA data = AppBarRecord(probe.Hwnd(), ABE_BOTTOM, RECT{0, height - 10, width, height});
  EXPECT_TRUE(::SHAppBarMessage(ABM_NEW, &data));
  ::SHAppBarMessage(ABM_QUERYPOS, &data);
  APPBARDATA remove = AppBarRecord(probe.Hwnd());
  ::SHAppBarMessage(ABM_REMOVE, &remove);
  return data.rc.bottom;
}

bool TrayIconShown(HWND bar) {
  NOTIFYICONDATAA data = {};
  data.cbSize = TrayIcon::kRecordSize;
  data.hWnd = bar;
  data.uID = TrayIcon::kIconId;
  return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// Counts the moves (and z-order changes) of one window of this thread.
class MovesOf {
 public:
  explicit MovesOf(HWND window) {
    window_ = window;
    count_ = 0;
    hook_ = ::SetWindowsHookExA(WH_CALLWNDPROC, &Watch, nullptr, ::GetCurrentThreadId());
  }
  ~MovesOf() { ::UnhookWindowsHookEx(hook_); }
  int Count() const { return count_; }

 private:
  static LRESULT CALLBACK Watch(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call->hwnd == window_ && call->message == WM_WINDOWPOSCHANGING) ++count_;
    return ::CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline HWND window_ = nullptr;
  static inline int count_ = 0;
  HHOOK hook_ = nullptr;
};

// Another program cancelled the logoff: the session goes on, and the bar is
// an appbar that reserves its strip again, with its tray icon. A logoff that
// happens leaves it released.
TEST_F(BarWindowTest, CancelledLogoffLeavesTheBarDockedAndReserving) {
  AddBar("one", {"a"});
  settings_.Edge = 3;
  settings_.SysTrayIcon = 1;
  BarWindow& bar = Open();
  const RECT docked = WindowRect();
  ASSERT_TRUE(IsRegisteredAppBar(bar.Hwnd()));
  // The icon may come a little after the first paint.
  PumpMessages(3000, [&] { return TrayIconShown(bar.Hwnd()); });
  ASSERT_TRUE(TrayIconShown(bar.Hwnd()));

  {
    MovesOf moves(bar.Hwnd());
    EXPECT_EQ(::SendMessageA(bar.Hwnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(IsRegisteredAppBar(bar.Hwnd())) << "not released while the logoff may still be cancelled";
    ::SendMessageA(bar.Hwnd(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(moves.Count(), 0) << "docked throughout, never placed again";
  }
  EXPECT_TRUE(IsRegisteredAppBar(bar.Hwnd()));
  const RECT after = WindowRect();
  EXPECT_TRUE(::EqualRect(&docked, &after));
  EXPECT_EQ(FreeBottomForANewAppBar(), docked.top);
  EXPECT_TRUE(TrayIconShown(bar.Hwnd()));

  ::SendMessageA(bar.Hwnd(), WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(IsRegisteredAppBar(bar.Hwnd()));
  EXPECT_EQ(FreeBottomForANewAppBar(), ::GetSystemMetrics(SM_CYSCREEN));
  EXPECT_FALSE(TrayIconShown(bar.Hwnd()));
}

// Takes the shell's appbar place of the first dialog this thread creates
// before the dialog's initialisation runs, as a shell that is not ready would
// refuse it; Free lets the shell take it.
class ShellNotReady {
 public:
  ShellNotReady() {
    taken_ = nullptr;
    armed_ = true;
    hook_ = ::SetWindowsHookExA(WH_CALLWNDPROC, &Watch, nullptr, ::GetCurrentThreadId());
  }
  ~ShellNotReady() {
    Free();
    if (hook_) ::UnhookWindowsHookEx(hook_);
  }
  void Free() {
    if (!taken_) return;
    APPBARDATA data = AppBarRecord(taken_);
    ::SHAppBarMessage(ABM_REMOVE, &data);
    taken_ = nullptr;
  }

 private:
  static LRESULT CALLBACK Watch(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call->message == WM_INITDIALOG && armed_) {
      armed_ = false;
      taken_ = call->hwnd;
      APPBARDATA data = AppBarRecord(taken_);
      ::SHAppBarMessage(ABM_NEW, &data);
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline HWND taken_ = nullptr;
  static inline bool armed_ = false;
  HHOOK hook_ = nullptr;
};

// The shell refused the first dock: the message, then nothing docked, until
// the shell makes its taskbar; then the bar docks with its buttons and icon.
TEST_F(BarWindowTest, RefusedFirstDockDocksWhenTheTaskbarIsCreated) {
  AddBar("one", {"a"});
  settings_.Edge = 3;
  settings_.SysTrayIcon = 1;
  ShellNotReady shell;
  auto box = AnswerNextMessageBox(ProgramTitle());
  BarWindow& bar = Open();
  EXPECT_EQ(box.get(), "An error while registering the panel");
  shell.Free();
  EXPECT_FALSE(IsRegisteredAppBar(bar.Hwnd()));
  EXPECT_TRUE(!bar.ButtonsToolbar() || Commands().empty());

  ::SendMessageA(bar.Hwnd(), ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(IsRegisteredAppBar(bar.Hwnd()));
  EXPECT_EQ(FreeBottomForANewAppBar(), WindowRect().top);
  EXPECT_EQ(WindowRect().bottom, ::GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(Commands(), (std::vector<int>{1124}));
  PumpMessages(3000, [&] { return TrayIconShown(bar.Hwnd()); });
  EXPECT_TRUE(TrayIconShown(bar.Hwnd()));
}

// Wine never tells of full-screen applications; the notice is sent here as
// the shell would send it.
TEST_F(BarWindowTest, FullScreenApplicationKeepsTheBarBelowItAndIn) {
  AddBar("one", {"a"});
  settings_.AutoHide = 1;
  BarWindow& bar = Open();
  ASSERT_TRUE(Topmost(bar.Hwnd()));
  const UINT notify = ::RegisterWindowMessageA("OrvantisNotify");
  const LONG strip = WindowRect().bottom - WindowRect().top;

  ::SendMessageA(bar.Hwnd(), notify, ABN_FULLSCREENAPP, TRUE);
  EXPECT_FALSE(Topmost(bar.Hwnd()));
  EXPECT_EQ(::GetWindow(bar.Hwnd(), GW_HWNDNEXT), nullptr) << "the bar is the last window";
  ::SendMessageA(bar.Hwnd(), WM_NCMOUSEMOVE, HTBORDER, MAKELPARAM(10, 0));
  EXPECT_FALSE(bar.Shown());
  EXPECT_EQ(WindowRect().bottom - WindowRect().top, strip);

  ::SendMessageA(bar.Hwnd(), notify, ABN_FULLSCREENAPP, FALSE);
  EXPECT_TRUE(Topmost(bar.Hwnd()));
  ::SendMessageA(bar.Hwnd(), WM_NCMOUSEMOVE, HTBORDER, MAKELPARAM(10, 0));
  EXPECT_TRUE(bar.Shown());
}

// How much of a 32 x 32 list image is drawn: pixels that come out the same on
// two different backgrounds.
int CoveredPixels(HIMAGELIST list, int index) {
  auto drawOn = [&](COLORREF background) {
    return DrawToPixels(32, 32, [&](HDC dc) {
      UniqueBrush brush(::CreateSolidBrush(background));
      RECT all = {0, 0, 32, 32};
      ::FillRect(dc, &all, brush.Get());
      ::ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
    });
  };
  const std::vector<DWORD> onMagenta = drawOn(RGB(255, 0, 255));
  const std::vector<DWORD> onGreen = drawOn(RGB(0, 255, 0));
  int covered = 0;
  for (size_t i = 0; i < onMagenta.size() && i < onGreen.size(); ++i) covered += onMagenta[i] == onGreen[i];
  return covered;
}

// No button is a blank slot: an icon file that is gone, a program file that
// holds no icons and a document that is gone get the shell's generic icons. A
// web button shows a whole icon at 32 x 32, not the shortcut's arrow alone
// (what Wine's shell gives for the program's internet shortcut, whose icon
// file holds no icons).
TEST_F(BarWindowTest, EveryButtonHasAVisibleImage) {
  settings_.LargeIcon = 1;
  WriteFile(folder_ + "\\no icons.exe");  // one byte: a program file without icons
  const std::string shortcut = folder_ + "\\Orvantis.Quickrail Web Site.url";
  {
    UniqueKernelHandle file(
        ::CreateFileA(shortcut.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    const char text[] = "[InternetShortcut]\r\nURL=https://www.orvantis.example/\r\n";
    DWORD written = 0;
    ::WriteFile(file.Get(), text, sizeof(text) - 1, &written, nullptr);
  }
  const int bar = AddBar("icons", {"a", "b", "c", "d"});
  db_.Bar(bar)->At(0)->IconFile = folder_ + "\\no such icons.dll";
  db_.Bar(bar)->At(1)->IconFile = folder_ + "\\no icons.exe";
  db_.Bar(bar)->At(2)->IconFile = folder_ + "\\gone.txt";
  db_.Bar(bar)->At(3)->IconFile = "http://www.orvantis.example/";
  BarWindow& window = Open();
  ASSERT_NE(window.ButtonsToolbar(), nullptr);
  auto list = reinterpret_cast<HIMAGELIST>(::SendMessageA(window.ButtonsToolbar(), TB_GETIMAGELIST, 0, 0));
  ASSERT_EQ(::ImageList_GetImageCount(list), 4);
  for (int i = 0; i < 4; ++i) {
    TBBUTTON button = {};
    ::SendMessageA(window.ButtonsToolbar(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(button.iBitmap, i);
    EXPECT_GT(CoveredPixels(list, i), 32 * 32 / 4) << "button " << i << " is (nearly) blank";
  }
  ::DeleteFileA(shortcut.c_str());
  ::DeleteFileA((folder_ + "\\no icons.exe").c_str());
}

// A real click: the toolbar sends the command from inside its own handling of
// the button. The launch happens at once; the return to the home bar, which
// rebuilds the toolbar, waits until that handling is over.
TEST_F(BarWindowTest, ClickThatReturnsToTheHomeBarLeavesItsToolbarAlive) {
  const int home = AddBar("home", {"a"});
  AddBar("other", {"b"});
  db_.Bar(home)->ShowOnLaunch = 1;
  db_.SetHomeBar(home);
  BarWindow& bar = Open();
  ::SendMessageA(bar.Hwnd(), WM_COMMAND, 17510, 0);
  ASSERT_EQ(bar.DisplayedBar(), 1);

  HWND clicked = bar.ButtonsToolbar();
  RECT button = {};
  ::SendMessageA(clicked, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
  const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  ::SendMessageA(clicked, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(clicked, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(launched_, (std::vector<std::string>{folder_ + "\\b.txt"}));
  EXPECT_TRUE(::IsWindow(clicked));
  EXPECT_EQ(bar.DisplayedBar(), 1);

  PumpMessages(2000, [&] { return bar.DisplayedBar() == 0; });
  EXPECT_EQ(bar.DisplayedBar(), 0);
  EXPECT_EQ(Commands(), (std::vector<int>{1124}));
}

}  // namespace
}  // namespace bar_window_test
