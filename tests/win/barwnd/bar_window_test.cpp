// The bar window created modeless in this process on a prepared database and
// settings: the toolbars it builds, the panel, the tooltip texts, docking
// through the shell, bar switching and the return to the home bar.
#include "win/pump_messages.h"
#include "barwnd/bar_window_win.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/install_info_win.h"
#include "app/message_texts.h"
#include "app/settings.h"
#include "db/cdb.h"
#include "db/launch.h"
#include "platform/handles_win.h"

namespace {

std::string TempFolder() {
  char path[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, path);
  std::string folder = std::string(path) + "qr-barwindow-test";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void WriteFile(const std::string& path) {
  UniqueKernelHandle file(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  ::WriteFile(file.Get(), "x", 1, &written, nullptr);
}


struct ButtonLook {
  int command;
  bool separator;
  RECT rect;  // toolbar client coordinates
};

std::vector<ButtonLook> ButtonsOf(HWND toolbar) {
  std::vector<ButtonLook> out;
  const int count = static_cast<int>(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button = {};
    ::SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    RECT rect = {};
    ::SendMessageA(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect));
    out.push_back({button.idCommand, (button.fsStyle & TBSTYLE_SEP) != 0, rect});
  }
  return out;
}

// Start-up's part: the settings writes and the shortcut are left out.
class QuietBarHost : public BarHost {
 public:
  bool AddStartup() override { return true; }
  void WriteSettings(const LiveViewValues&, int32_t) override {}
  void SetMainWindow(HWND) override {}
};

class BarWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = TempFolder();
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, RegistryKeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    UniqueRegKey owned(key);
    ::RegSetValueExA(key, "InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder_.c_str()),
                     static_cast<DWORD>(folder_.size() + 1));
    settings_.StartWindows = 0;  // the start-up shortcut is only deleted
    ClearDatabase();
    db_.SetProgramFolder(folder_);
    savedLauncher_ = CurrentLauncher();
    CurrentLauncher() = [this](const LaunchRecord& record) { launched_.push_back(record.File); };
  }

  void TearDown() override {
    window_.reset();
    CurrentLauncher() = savedLauncher_;
    ClearDatabase();
  }

  void ClearDatabase() {
    db_.SetHomeBar(-1);
    while (db_.BarCount() > 0) db_.DeleteBar(0);
  }

  // A bar of file buttons named by `names` ("-" for a separator), each pointing
  // at a file that exists.
  int AddBar(const std::string& name, const std::vector<std::string>& names) {
    const int bar = db_.AddBar(name);
    for (const std::string& caption : names) {
      if (caption == "-") {
        db_.Bar(bar)->InsertSeparator(-1);
        continue;
      }
      ButtonSpec request;
      request.Target = folder_ + "\\" + caption + ".txt";
      WriteFile(request.Target);
      request.Name = caption;
      request.IconFile = request.Target;
      request.Bar = bar;
      db_.AddButton(request);
    }
    return bar;
  }

  BarWindow& Open() {
    window_ = std::make_unique<BarWindow>(settings_, db_, texts_, host_);
    EXPECT_TRUE(window_->CreateModeless(nullptr));
    ::ShowWindow(window_->Hwnd(), SW_SHOWNOACTIVATE);
    PumpMessages(100);
    return *window_;
  }

  std::vector<ButtonLook> Buttons() { return ButtonsOf(window_->ButtonsToolbar()); }

  std::vector<int> Commands() {
    std::vector<int> out;
    for (const ButtonLook& b : Buttons()) out.push_back(b.separator ? 0 : b.command);
    return out;
  }

  std::string SwitchTip() {
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = window_->Tooltip();
    info.hdr.idFrom = 32789;
    info.hdr.code = TTN_GETDISPINFOA;
    ::SendMessageA(window_->SwitchToolbar(), WM_NOTIFY, 32789, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? info.lpszText : "";
  }

  RECT WindowRect() {
    RECT r = {};
    ::GetWindowRect(window_->Hwnd(), &r);
    return r;
  }

  std::string folder_;
  Settings settings_;
  CDB db_;
  MessageTexts texts_;
  QuietBarHost host_;
  Launcher savedLauncher_;
  std::vector<std::string> launched_;
  std::unique_ptr<BarWindow> window_;
};

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

}  // namespace

namespace {

// Folders, programs and web addresses each find their icon in another way;
// every kind gets its button.
TEST_F(BarWindowTest, EveryKindOfTargetGetsItsButton) {
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  const int bar = db_.AddBar("kinds");
  const std::vector<std::pair<std::string, int>> targets = {
      {"C:\\", kFolder}, {std::string(windows) + "\\notepad.exe", kFile}, {"http://www.example.com/", kInternet}};
  for (const auto& [target, kind] : targets) {
    ButtonSpec request;
    request.Target = request.IconFile = request.Name = target;
    request.Kind = kind;
    request.Bar = bar;
    db_.AddButton(request);
  }
  Open();
  EXPECT_EQ(Commands(), (std::vector<int>{1124, 1125, 1126}));
}

}  // namespace

namespace {

bool Topmost(HWND hwnd) { return (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST_F(BarWindowTest, AutoHideAndAlwaysOnTopKeepTheBarTopmost) {
  AddBar("one", {"a"});
  BarWindow& bar = Open();
  const RECT docked = WindowRect();
  EXPECT_FALSE(Topmost(bar.Hwnd()));
  ::SendMessageA(bar.Hwnd(), WM_COMMAND, 32773, 0);
  EXPECT_TRUE(bar.AutoHide());
  EXPECT_TRUE(Topmost(bar.Hwnd()));
  const RECT strip = WindowRect();
  EXPECT_EQ(strip.bottom - strip.top, 1);  // a top bar keeps one pixel
  // The first touch of the strip brings the whole bar out.
  ::SendMessageA(bar.Hwnd(), WM_NCMOUSEMOVE, HTBORDER, MAKELPARAM(10, 0));
  EXPECT_TRUE(bar.Shown());
  EXPECT_EQ(WindowRect().bottom - WindowRect().top, docked.bottom - docked.top);
  ::SendMessageA(bar.Hwnd(), WM_COMMAND, 32773, 0);
  EXPECT_FALSE(bar.AutoHide());
  EXPECT_FALSE(Topmost(bar.Hwnd()));
  ::SendMessageA(bar.Hwnd(), WM_COMMAND, 32783, 0);
  EXPECT_TRUE(bar.AlwaysOnTop());
  EXPECT_TRUE(Topmost(bar.Hwnd()));
}

}  // namespace

namespace {

// An icon that cannot be found costs only its own button's image: the toolbar
// is still built, the button sits in its place drawn without an image, and the
// buttons after it keep their own pictures.
TEST_F(BarWindowTest, MissingIconBetweenTwoGoodOnesCostsOnlyItsOwnImage) {
  const int bar = AddBar("icons", {"a", "b", "c"});
  db_.Bar(bar)->At(1)->IconFile = folder_ + "\\no such icons.dll";
  BarWindow& window = Open();
  ASSERT_NE(window.ButtonsToolbar(), nullptr);
  EXPECT_EQ(Commands(), (std::vector<int>{1124, 1125, 1126}));
  std::vector<int> images;
  for (int i = 0; i < 3; ++i) {
    TBBUTTON button = {};
    ::SendMessageA(window.ButtonsToolbar(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    images.push_back(button.iBitmap);
  }
  EXPECT_EQ(images, (std::vector<int>{0, I_IMAGENONE, 1}));
  EXPECT_EQ(db_.Bar(bar)->At(1)->ImageIndex, -1);
  auto list = reinterpret_cast<HIMAGELIST>(::SendMessageA(window.ButtonsToolbar(), TB_GETIMAGELIST, 0, 0));
  EXPECT_EQ(::ImageList_GetImageCount(list), 2);
}

}  // namespace
