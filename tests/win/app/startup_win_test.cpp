// Start-up pieces on the real Windows functions: the start-up shortcut, the
// splash window and the autostart question's template.
#include "support/pump_messages_win.h"
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "app/add_startup_win.h"
#include "app/install_info_win.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "app/single_copy_win.h"
#include "app/splash_win.h"
#include "platform/monitors_win.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"
#include "support/shell_links_win.h"
#include "resource.h"

namespace {

std::string TempFolder() {
  char path[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, path);
  std::string folder = std::string(path) + "qr-startup-test";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string StartupLinkPath() {
  char startup[MAX_PATH] = {};
  ::SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, TRUE);
  return std::string(startup) + "\\Orvantis.Quickrail.lnk";
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class StartupShortcut : public testing::Test {
 protected:
  void SetUp() override {
    installDir_ = TempFolder();
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, RegistryKeyPath().c_str(), 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    UniqueRegKey owned(key);
    ::RegSetValueExA(key, "InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(installDir_.c_str()),
                     static_cast<DWORD>(installDir_.size() + 1));
  }
  void TearDown() override {
    ::DeleteFileA(StartupLinkPath().c_str());
  }
  std::string installDir_;
  Settings settings_;
  MessageTexts texts_;
};

TEST_F(StartupShortcut, PointsAtTheInstalledProgramAndFollowsTheSetting) {
  settings_.StartWindows = 1;
  ASSERT_TRUE(AddStartup(settings_, texts_));
  const std::string program = installDir_ + "\\Orvantis.exe";
  LinkSpec link = ReadShellLink(StartupLinkPath());
  EXPECT_EQ(link.target, program);
  EXPECT_EQ(link.workDir, installDir_);

  // A shortcut that starts the program is left alone at the next start, with
  // what the user gave it (here another icon).
  ASSERT_TRUE(MakeShellLink(StartupLinkPath(), {program, "", installDir_, SW_SHOWNORMAL, "shell32.dll", 3}));
  EXPECT_TRUE(AddStartup(settings_, texts_));
  link = ReadShellLink(StartupLinkPath());
  EXPECT_EQ(link.iconFile, "shell32.dll");
  EXPECT_EQ(link.iconIndex, 3);

  // One that starts something else, or in another folder, is made again.
  for (const LinkSpec& other : {LinkSpec{"C:\\windows\\notepad.exe", "", installDir_},
                                LinkSpec{program, "", "C:\\windows"}}) {
    ASSERT_TRUE(MakeShellLink(StartupLinkPath(), other));
    EXPECT_TRUE(AddStartup(settings_, texts_));
    link = ReadShellLink(StartupLinkPath());
    EXPECT_EQ(link.target, program);
    EXPECT_EQ(link.workDir, installDir_);
  }

  // Removed when the setting is off.
  settings_.StartWindows = 0;
  EXPECT_TRUE(AddStartup(settings_, texts_));
  EXPECT_FALSE(Exists(StartupLinkPath()));
  EXPECT_TRUE(AddStartup(settings_, texts_)) << "a missing shortcut is no error";
}

TEST(Splash, CentredAtBitmapSizeAndGoneAfterItsTime) {
  // What runs at the end outlives the splash window and object.
  int ended = 0;
  ASSERT_TRUE(SplashWindow::Show(300, [&ended] { ++ended; }, MonitorForChoice({}).rect));
  HWND splash = ::FindWindowA("OrvantisSplash", nullptr);
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(::IsWindowVisible(splash));

  UniqueBitmap bitmap(static_cast<HBITMAP>(
      ::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, 0)));
  BITMAP info = {};
  ASSERT_TRUE(::GetObjectA(bitmap.Get(), sizeof(info), &info));
  RECT rect;
  ::GetWindowRect(splash, &rect);
  EXPECT_EQ(rect.right - rect.left, info.bmWidth);
  EXPECT_EQ(rect.bottom - rect.top, info.bmHeight);
  EXPECT_NEAR(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - info.bmWidth) / 2, 1);
  EXPECT_NEAR(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - info.bmHeight) / 2, 1);
  EXPECT_EQ(::GetWindowLongA(splash, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);

  // A second request while one is up changes nothing.
  EXPECT_TRUE(SplashWindow::Show(60000, nullptr, MonitorForChoice({}).rect));
  EXPECT_EQ(::FindWindowA("OrvantisSplash", nullptr), splash);

  // Clicks and keys do not end it; only its timer does.
  ::SendMessageA(splash, WM_LBUTTONDOWN, 0, 0);
  ::SendMessageA(splash, WM_KEYDOWN, VK_ESCAPE, 0);
  ::SendMessageA(splash, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(splash));
  PumpMessages(10000, [&] { return !::IsWindow(splash); });
  EXPECT_FALSE(::IsWindow(splash));
  EXPECT_FALSE(SplashWindow::IsShown());
  EXPECT_EQ(ended, 1);
}

TEST(AutoStartTemplate, HoldsTheQuestionButtonsAndCheckBox) {
  struct Probe : Dialog {
    Probe() : Dialog(IDD_AUTOSTART) {}
  } probe;
  ASSERT_TRUE(probe.CreateModeless(nullptr));
  char text[256];
  ::GetWindowTextA(probe.Hwnd(), text, sizeof(text));
  EXPECT_STREQ(text, "Auto start");
  ::GetDlgItemTextA(probe.Hwnd(), IDOK, text, sizeof(text));
  EXPECT_STREQ(text, "Yes");
  ::GetDlgItemTextA(probe.Hwnd(), IDCANCEL, text, sizeof(text));
  EXPECT_STREQ(text, "No");
  ::GetDlgItemTextA(probe.Hwnd(), IDC_AUTOSTART_NOASK, text, sizeof(text));
  EXPECT_STREQ(text, "Do not check autorun");
  bool found = false;
  for (HWND child = ::GetWindow(probe.Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    ::GetWindowTextA(child, text, sizeof(text));
    if (std::string(text) ==
        "Working with the program is comfortable if it is run automatically at Windows startup. Enable autorun?")
      found = true;
  }
  EXPECT_TRUE(found);
}

TEST(StringTable, KeyPathAndDatabaseName) {
  EXPECT_EQ(RegistryKeyPath(), "SOFTWARE\\Orvantis Software");
  char text[64] = {};
  ::LoadStringA(ResourceModule(), IDS_DATABASE_FILE, text, sizeof(text));
  EXPECT_STREQ(text, "lbars.acc");
}

// A start that finds the mutex cannot take it over while the copy that made it
// runs, even though it holds the mutex open itself; once that copy has gone
// it can, and is then the copy that runs.
TEST(SingleCopy, TakesOverOnlyOnceTheRunningCopyHasGone) {
  auto running = std::make_unique<SingleCopy>();
  ASSERT_TRUE(running->First());
  SingleCopy waiting;
  EXPECT_FALSE(waiting.First());
  EXPECT_FALSE(waiting.TakeOver());
  EXPECT_FALSE(waiting.TakeOver());
  running.reset();
  EXPECT_TRUE(waiting.TakeOver());
  EXPECT_TRUE(waiting.First());
  EXPECT_FALSE(SingleCopy().First());
}

}  // namespace
