// The preset bars over the real folders, links and applets of the test's prefix.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <vector>

#include "app/message_texts.h"
#include "db/cdb.h"
#include "editing/browse_services_win.h"
#include "editing/preset_applets_win.h"
#include "editing/preset_menu.h"
#include "editing/preset_menu_win.h"
#include "win/editing/browse_dialog_answer_win.h"
#include "win/editing/shortcut_test_support_win.h"

namespace {

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  return ::SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE) ? path : "";
}

class PresetWinTest : public testing::Test {
 protected:
  MessageTexts texts;
  ShellManagerServices services{texts, "SOFTWARE\\Orvantis Software Preset Test"};
  CDB db;
};

}  // namespace

TEST_F(PresetWinTest, ControlPanelRunsControlWithEachAppletOfTheSystemFolderAndFreesThem) {
  const std::string system = SystemFolder();
  std::vector<std::string> applets;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((system + "\\*.cpl").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE) << "the prefix has Control Panel applets";
  do applets.push_back(found.cFileName);
  while (::FindNextFileA(search, &found));
  ::FindClose(search);

  const int32_t ordinal = services.AddPreset(preset::kControlPanel, nullptr, db);
  ASSERT_EQ(ordinal, 0);
  const CBar* bar = db.Bar(ordinal);
  EXPECT_EQ(bar->Name, "Control Panel");
  ASSERT_EQ(bar->Count(), static_cast<int32_t>(applets.size()));
  int namedByThemselves = 0;
  for (int32_t i = 0; i < bar->Count(); ++i) {
    const CD* button = bar->At(i);
    EXPECT_EQ(button->Target, system + "\\control.exe");
    EXPECT_EQ(button->WorkDir, system + "\\");
    EXPECT_EQ(button->Arguments, applets[i]);
    EXPECT_EQ(button->IconFile, system + "\\" + applets[i]);
    EXPECT_EQ(button->Kind, 0);
    EXPECT_FALSE(button->Name.empty());
    if (button->Name != applets[i]) ++namedByThemselves;
    // Once named, the applet is not kept loaded in the launcher.
    EXPECT_EQ(::GetModuleHandleA((system + "\\" + applets[i]).c_str()), nullptr) << applets[i];
  }
  EXPECT_GT(namedByThemselves, 0) << "some of the prefix's applets name themselves";
}

TEST_F(PresetWinTest, AFolderGivesItsSubfoldersFirstThenItsFilesHiddenOnesToo) {
  TempFolder folder;
  folder.Put("readme.txt", "r");
  folder.MakeFolder("Docs", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  folder.Put("tool.exe", "MZ");
  folder.Put("Makefile", "all:");
  ::SetFileAttributesA(folder.PathOf("Makefile").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  DialogAnswer answer = DialogAnswer::Folder(folder.Path());
  const int32_t ordinal = services.AddPreset(preset::kFolder, nullptr, db);
  ASSERT_EQ(ordinal, 0);
  const CBar* bar = db.Bar(ordinal);
  EXPECT_EQ(bar->Name, folder.Path().substr(folder.Path().rfind('\\') + 1));
  ASSERT_EQ(bar->Count(), 4);
  EXPECT_EQ(bar->At(0)->Name, "Docs");
  EXPECT_EQ(bar->At(0)->Kind, 1);
  EXPECT_EQ(bar->At(0)->WorkDir, folder.PathOf("Docs"));
  std::set<std::string> files;
  for (int i = 1; i < 4; ++i) {
    files.insert(bar->At(i)->Name);
    EXPECT_EQ(bar->At(i)->Kind, 0);
    EXPECT_EQ(bar->At(i)->WorkDir, folder.Path() + "\\");
  }
  EXPECT_EQ(files, (std::set<std::string>{"readme", "tool", ""}));
}

TEST_F(PresetWinTest, CancellingTheFolderBrowserAddsNothing) {
  DialogAnswer answer = DialogAnswer::Cancel();
  EXPECT_EQ(services.AddPreset(preset::kFolder, nullptr, db), -1);
  EXPECT_TRUE(answer.Answered());
  EXPECT_EQ(db.BarCount(), 0);
}

TEST_F(PresetWinTest, QuickLaunchAndFavoritesReadTheUsersOwnFolders) {
  const std::string appData = ShellFolder(CSIDL_APPDATA);
  const std::string favorites = ShellFolder(CSIDL_FAVORITES);
  ASSERT_FALSE(appData.empty());
  ASSERT_FALSE(favorites.empty());
  const std::string quick = appData + "\\Microsoft\\Internet Explorer\\Quick Launch";
  ::SHCreateDirectoryExA(nullptr, quick.c_str(), nullptr);
  TempFolder targets;
  const std::string editor = targets.Put("ed.exe", "MZ");
  ASSERT_TRUE(MakeShellLink(quick + "\\Editor.lnk", {editor, "-q", targets.Path(), SW_SHOWMINNOACTIVE, "", 0}));
  std::ofstream(favorites + "\\News.url") << "[InternetShortcut]\r\nURL=http://news.example/\r\n";
  std::ofstream(favorites + "\\notes.txt") << "not a link";

  const int32_t quickBar = services.AddPreset(preset::kQuickLaunch, nullptr, db);
  const int32_t favoritesBar = services.AddPreset(preset::kFavorites, nullptr, db);
  ::DeleteFileA((quick + "\\Editor.lnk").c_str());
  ::DeleteFileA((favorites + "\\News.url").c_str());
  ::DeleteFileA((favorites + "\\notes.txt").c_str());

  ASSERT_EQ(quickBar, 0);
  const CBar* bar = db.Bar(quickBar);
  EXPECT_EQ(bar->Name, "Quick Launch");
  const CD* link = nullptr;
  for (int32_t i = 0; i < bar->Count(); ++i) {
    if (bar->At(i)->Name == "Editor") link = bar->At(i);
  }
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->Target, editor);
  EXPECT_EQ(link->Arguments, "-q");
  EXPECT_EQ(link->WorkDir, targets.Path());
  EXPECT_EQ(link->ShowCmd, RunningUnderWine() ? 1 : SW_SHOWMINNOACTIVE);  // see ShellShowCmdOf
  EXPECT_EQ(link->IconFile, editor);

  ASSERT_EQ(favoritesBar, 1);
  bar = db.Bar(favoritesBar);
  EXPECT_EQ(bar->Name, "Favorites");
  std::set<std::string> names;
  for (int32_t i = 0; i < bar->Count(); ++i) names.insert(bar->At(i)->Name);
  EXPECT_TRUE(names.count("News"));
  EXPECT_FALSE(names.count("notes"));
}

namespace {

// Picks the n-th entry of the menu being tracked, from a timer the menu's loop runs.
struct MenuPick {
  static inline int downs = 0;
  static inline bool shot = false;
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = ::FindWindowA("#32768", nullptr);
    if (!menu || !::IsWindowVisible(menu)) return;
    ::KillTimer(nullptr, id);
    if (const char* dir = std::getenv("QR_SCREENSHOT_DIR")) shot = SaveScreen(std::string(dir) + "\\preset_menu.bmp");
    for (int i = 0; i < downs; ++i) ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(menu, WM_KEYDOWN, downs ? VK_RETURN : VK_ESCAPE, 0);
  }
  // The whole screen as a 24-bit bitmap file, to look at the menu.
  static bool SaveScreen(const std::string& path) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    std::vector<char> pixels(stride * height);
    ::GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof(file) + sizeof(info) + pixels.size()), 0, 0,
                             sizeof(file) + sizeof(info)};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return out.good();
  }
};

}  // namespace

TEST(PresetMenuWinTest, EachEntrySendsItsCommandAndEscapeChoosesNothing) {
  HWND manager = ::CreateWindowExA(0, "STATIC", "manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 500, 300,
                                   nullptr, nullptr, nullptr, nullptr);
  ::SetForegroundWindow(manager);
  const int expected[] = {0, preset::kFolder, preset::kControlPanel, preset::kQuickLaunch, preset::kFavorites};
  for (int downs = 0; downs <= 4; ++downs) {
    MenuPick::downs = downs;
    ::SetTimer(nullptr, 0, 300, &MenuPick::OnTimer);
    EXPECT_EQ(ChoosePreset(manager), expected[downs]) << downs;
  }
  ::DestroyWindow(manager);
}
