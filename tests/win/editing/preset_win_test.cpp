// The preset bars over the real applets, links and folders of the test's prefix.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>

#include "core/message_texts.h"
#include "db/cdb.h"
#include "editing/browse/browse_services_win.h"
#include "editing/presets/preset_applets_win.h"
#include "editing/presets/preset_menu.h"
#include "editing/presets/preset_menu_win.h"
#include "support/shell_links_win.h"

namespace {

class PresetWinTest : public testing::Test {
 protected:
  MessageTexts texts;
  ShellManagerServices services{texts, "SOFTWARE\\Orvantis Software Preset Test"};
  CDB db;
};

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  return ::SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE) ? path : "";
}

}  // namespace

TEST_F(PresetWinTest, ControlPanelRunsControlWithEachAppletAndLeavesNoneLoaded) {
  const std::string system = SystemFolder();
  std::vector<std::string> applets;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((system + "\\*.cpl").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE) << "the prefix has Control Panel applets";
  do applets.push_back(found.cFileName);
  while (::FindNextFileA(search, &found));
  ::FindClose(search);

  ASSERT_EQ(services.AddPreset(preset::kControlPanel, nullptr, db), 0);
  const CBar* bar = db.Bar(0);
  EXPECT_EQ(bar->Name, "Control Panel");
  ASSERT_GE(bar->Count(), 1);
  // The buttons follow the files' order, each library's applets in turn.
  size_t file = 0;
  int namedByThemselves = 0;
  for (int32_t i = 0; i < bar->Count(); ++i) {
    const CD* button = bar->At(i);
    const std::string applet = button->Arguments.substr(0, button->Arguments.find(','));
    while (file < applets.size() && applets[file] != applet) ++file;
    ASSERT_LT(file, applets.size()) << button->Arguments;
    EXPECT_EQ(button->Target, system + "\\control.exe");
    EXPECT_EQ(button->IconFile, system + "\\" + applet);
    namedByThemselves += button->Name != applet;
  }
  for (const std::string& applet : applets) {
    EXPECT_EQ(::GetModuleHandleA((system + "\\" + applet).c_str()), nullptr) << applet;
  }
  EXPECT_GT(namedByThemselves, 0) << "some of the prefix's applets name themselves";
}

TEST_F(PresetWinTest, QuickLaunchAndFavoritesReadTheUsersOwnFolders) {
  const std::string quick = ShellFolder(CSIDL_APPDATA) + "\\Microsoft\\Internet Explorer\\Quick Launch";
  const std::string favorites = ShellFolder(CSIDL_FAVORITES);
  ::SHCreateDirectoryExA(nullptr, quick.c_str(), nullptr);
  ScratchFolder targets;
  const std::string editor = PutFile(targets, "ed.exe", "MZ");
  ASSERT_TRUE(MakeShellLink(quick + "\\Editor.lnk", {editor, "-q", targets.Path(), SW_SHOWMINNOACTIVE}));
  std::ofstream(favorites + "\\News.url") << "[InternetShortcut]\r\nURL=http://news.example/\r\n";
  std::ofstream(favorites + "\\notes.txt") << "not a link";
  const int32_t quickBar = services.AddPreset(preset::kQuickLaunch, nullptr, db);
  const int32_t favoritesBar = services.AddPreset(preset::kFavorites, nullptr, db);
  for (const std::string& made : {quick + "\\Editor.lnk", favorites + "\\News.url", favorites + "\\notes.txt"})
    ::DeleteFileA(made.c_str());

  ASSERT_EQ(quickBar, 0);
  ASSERT_EQ(db.Bar(0)->Count(), 1);
  const CD* link = db.Bar(0)->At(0);
  EXPECT_EQ(link->Name, "Editor");
  EXPECT_EQ(link->Target, editor);
  EXPECT_EQ(link->Arguments, "-q");
  EXPECT_EQ(link->WorkDir, targets.Path());
  EXPECT_EQ(link->ShowCmd, ExpectedShowCmd(SW_SHOWMINNOACTIVE));
  ASSERT_EQ(favoritesBar, 1);
  ASSERT_EQ(db.Bar(1)->Count(), 1);
  EXPECT_EQ(db.Bar(1)->At(0)->Name, "News");
  EXPECT_EQ(db.Bar(1)->At(0)->Target, favorites + "\\News.url");
}

namespace {

int keyDowns = 0;
// Picks an entry of the tracked menu with the keyboard, from a timer the menu's loop runs.
void CALLBACK PickFromMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = ::FindWindowA("#32768", nullptr);
  if (!menu || !::IsWindowVisible(menu)) return;
  ::KillTimer(nullptr, id);
  for (int i = 0; i < keyDowns; ++i) ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageA(menu, WM_KEYDOWN, keyDowns ? VK_RETURN : VK_ESCAPE, 0);
}

}  // namespace

TEST(PresetMenuWinTest, EachEntryGivesItsCommandAndEscapeNone) {
  HWND manager = ::CreateWindowExA(0, "STATIC", "manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 500, 300,
                                   nullptr, nullptr, nullptr, nullptr);
  ::SetForegroundWindow(manager);
  const int expected[] = {0, preset::kFolder, preset::kControlPanel, preset::kQuickLaunch, preset::kFavorites};
  for (keyDowns = 0; keyDowns <= 4; ++keyDowns) {
    ::SetTimer(nullptr, 0, 300, &PickFromMenu);
    EXPECT_EQ(ChoosePreset(manager), expected[keyDowns]) << keyDowns;
  }
  ::DestroyWindow(manager);
}
