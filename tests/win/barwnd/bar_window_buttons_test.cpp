// The bar window over buttons of every kind, with missing icons, with the icon
// cache, and its z-order with autohide and always-on-top.
#include "win/barwnd/bar_window_fixture.h"

#include <dbt.h>

#include <cctype>


namespace bar_window_test {
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

// A target on a network path is not asked about while the bar starts: its
// button is shown first and hidden once the check after the first paint finds
// nothing there (no server of that name answers here).
TEST_F(BarWindowTest, AMissingNetworkTargetIsHiddenAfterTheFirstPaint) {
  const int bar = AddBar("share", {"local"});
  ButtonSpec request;
  request.Target = request.Name = "\\\\no-such-server\\share\\tool.exe";
  request.Bar = bar;
  db_.AddButton(request);
  ASSERT_NE(db_.Save(), 0);
  db_.DeferSlowTargetsOnNextLoad();
  ASSERT_EQ(db_.Load(), 1);
  EXPECT_EQ(db_.Bar(bar)->At(1)->Available, 1);  // not asked yet
  EXPECT_FALSE(db_.SlowTargets().Empty());

  Open();
  PumpMessages(5000, [this] { return db_.Bar(0)->At(1)->Available == 0; });
  EXPECT_EQ(db_.Bar(0)->At(1)->Available, 0);
  PumpMessages(100);
  EXPECT_EQ(Commands(), (std::vector<int>{1124}));
}

// A volume arrives (the system's device notice): a button hidden because its
// target was missing shows again once the target is there on an arrived
// drive; a notice for another drive leaves it hidden.
TEST_F(BarWindowTest, AnArrivedVolumeBringsBackTheButtonWhoseTargetIsThereNow) {
  const int bar = AddBar("stick", {"present"});
  ButtonSpec request;
  request.Target = folder_ + "\\arrives-later.txt";
  request.Name = "later";
  request.Bar = bar;
  ::DeleteFileA(request.Target.c_str());
  db_.AddButton(request);
  ASSERT_NE(db_.Save(), 0);
  ASSERT_EQ(db_.Load(), 1);
  ASSERT_EQ(db_.Bar(0)->At(1)->Available, 0);  // missing when the bar was read
  Open();
  PumpMessages(500);
  EXPECT_EQ(Commands(), (std::vector<int>{1124}));
  WriteFile(request.Target);

  const auto arrive = [this](char letter) {
    DEV_BROADCAST_VOLUME volume = {};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << (letter - 'A');
    ::SendMessageA(window_->Hwnd(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume));
  };
  const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(folder_[0])));
  arrive(drive == 'Q' ? 'R' : 'Q');
  // A notice too short to hold a unit mask is not read, whatever follows it.
  DEV_BROADCAST_VOLUME shortNotice = {};
  shortNotice.dbcv_size = sizeof(DEV_BROADCAST_HDR);
  shortNotice.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  shortNotice.dbcv_unitmask = 1u << (drive - 'A');
  ::SendMessageA(window_->Hwnd(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&shortNotice));
  PumpMessages(1000);
  EXPECT_EQ(db_.Bar(0)->At(1)->Available, 0);
  arrive(drive);
  PumpMessages(5000, [this] { return db_.Bar(0)->At(1)->Available == 1; });
  EXPECT_EQ(db_.Bar(0)->At(1)->Available, 1);
  EXPECT_EQ(db_.Bar(0)->At(1)->TargetMissing, 0);
  PumpMessages(5000, [this] { return Commands().size() == 2; });
  EXPECT_EQ(Commands(), (std::vector<int>{1124, 1125}));
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

// An icon that cannot be found gets a stand-in picture of its own: the toolbar
// is still built, the button sits in its place, and the buttons after it keep
// their own pictures in their order.
TEST_F(BarWindowTest, MissingIconBetweenTwoGoodOnesGetsAStandInOfItsOwn) {
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
  EXPECT_EQ(images, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(db_.Bar(bar)->At(1)->ImageIndex, 1);
  auto list = reinterpret_cast<HIMAGELIST>(::SendMessageA(window.ButtonsToolbar(), TB_GETIMAGELIST, 0, 0));
  EXPECT_EQ(::ImageList_GetImageCount(list), 3);
}


// The icon cache start-up hands down: the start's build draws through it, and
// after the first paint the window has it finish the start (the other size,
// the file).
TEST_F(BarWindowTest, TheIconCacheHandedDownFeedsTheStartAndIsFinishedAfterTheFirstPaint) {
  AddBar("icons", {"a", "b"});
  const std::string file = folder_ + "\\" + kIconCacheFileName;
  ::DeleteFileA(file.c_str());
  iconCache_ = std::make_unique<ButtonIconCache>(folder_);
  ButtonIconCache& cache = *iconCache_;
  BarWindow& window = Open();
  EXPECT_EQ(cache.Table().Size(), 2u) << "the buttons' icons went through the cache";
  PumpMessages(5000, [&] { return !cache.Starting(); });
  EXPECT_FALSE(cache.Starting());
  EXPECT_EQ(cache.LookUps(), 4) << "each icon at the shown size, then at the other";
  auto list = reinterpret_cast<HIMAGELIST>(::SendMessageA(window.ButtonsToolbar(), TB_GETIMAGELIST, 0, 0));
  EXPECT_EQ(::ImageList_GetImageCount(list), 2);
  ButtonIconCache reread(folder_);
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(reread.Table().Size(), 2u);
  ::DeleteFileA(file.c_str());
}

}  // namespace
}  // namespace bar_window_test
