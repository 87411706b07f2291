// The bar window created modeless in this process on a prepared database and
// settings, shared by the bar window's test files.
#pragma once
#include "support/pump_messages_win.h"
#include "barwnd/window/bar_window_win.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/install_info_win.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "db/launch.h"
#include "platform/handles_win.h"

namespace bar_window_test {

inline std::string TempFolder() {
  char path[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, path);
  std::string folder = std::string(path) + "qr-barwindow-test";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

inline void WriteFile(const std::string& path) {
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

inline std::vector<ButtonLook> ButtonsOf(HWND toolbar) {
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
  void WriteSettings(const Settings&, const LiveViewValues&, int32_t) override {}
  void SetMainWindow(HWND) override {}
  ManagerServices& EditingServices() override { return services_; }

 private:
  ManagerServices services_;  // does nothing: no dialogs of the system
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

  // Without an icon cache (every image from the shell) unless the test made one.
  BarWindow& Open() {
    window_ = std::make_unique<BarWindow>(settings_, db_, texts_, iconCache_.get(), host_);
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
  std::unique_ptr<ButtonIconCache> iconCache_;  // outlives the window, as start-up's does
  std::unique_ptr<BarWindow> window_;
};

}  // namespace bar_window_test
