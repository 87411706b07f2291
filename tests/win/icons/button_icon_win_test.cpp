#include "icons/button_icon_win.h"

#include <shellapi.h>
#include <gtest/gtest.h>

#include <utility>

#include "icons/button_icon_picker_win.h"
#include "icon_pixels_win.h"
#include "support/scratch_folder.h"

namespace {

std::string SystemFolder() {
  char path[MAX_PATH] = {};
  ::GetSystemDirectoryA(path, MAX_PATH);
  return path;
}

std::string WindowsFolder() {
  char path[MAX_PATH] = {};
  ::GetWindowsDirectoryA(path, MAX_PATH);
  return path;
}

const char kWebShortcut[] =
    "[InternetShortcut]\r\n"
    "URL=https://www.orvantis.example/\r\n";

void ExpectSizes(const ButtonIcons& icons) {
  EXPECT_EQ(DrawIcon(icons.Large.Get()).width, 32);
  EXPECT_EQ(DrawIcon(icons.Small.Get()).width, 16);
}

struct IndexedCase {
  const char* name;
  std::string path;
  int index;
};

class IndexedIconTest : public testing::TestWithParam<IndexedCase> {};

// The same icon, in both sizes, as the platform extracts by index.
TEST_P(IndexedIconTest, TakesTheIconAtTheIndex) {
  const IndexedCase& c = GetParam();
  HICON large = nullptr;
  HICON small = nullptr;
  ASSERT_EQ(::ExtractIconExA(c.path.c_str(), c.index, &large, &small, 1), 2u) << c.path;
  UniqueIcon expectedLarge(large);
  UniqueIcon expectedSmall(small);

  ButtonIcons icons = GetButtonIcon(c.path, c.index, "C:\\");
  ASSERT_TRUE(icons.Large);
  ASSERT_TRUE(icons.Small);
  EXPECT_EQ(DrawIcon(icons.Large.Get()), DrawIcon(expectedLarge.Get()));
  EXPECT_EQ(DrawIcon(icons.Small.Get()), DrawIcon(expectedSmall.Get()));
  ExpectSizes(icons);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IndexedIconTest,
    testing::Values(IndexedCase{"LowerExe", WindowsFolder() + "\\regedit.exe", 2},
                    IndexedCase{"UpperDll", SystemFolder() + "\\SHELL32.DLL", 3}),
    [](const testing::TestParamInfo<IndexedCase>& info) { return std::string(info.param.name); });

TEST(ButtonIcon, IndexPastTheLastIconGivesNoIcon) {
  ButtonIcons icons = GetButtonIcon(WindowsFolder() + "\\notepad.exe", 999, "C:\\");
  EXPECT_FALSE(icons.Large);
  EXPECT_FALSE(icons.Small);
}

struct ShellCase {
  const char* name;
  std::string path;
};

class ShellIconTest : public testing::TestWithParam<ShellCase> {};

// The shell's own icon for the path, whatever the index.
TEST_P(ShellIconTest, TakesTheShellsIcon) {
  const std::string& path = GetParam().path;
  UniqueIcon shellLarge(ShellIconOf(path, true));
  UniqueIcon shellSmall(ShellIconOf(path, false));
  ASSERT_TRUE(shellLarge) << path;

  ButtonIcons icons = GetButtonIcon(path, 2, "C:\\");
  ASSERT_TRUE(icons.Large);
  ASSERT_TRUE(icons.Small);
  EXPECT_EQ(DrawIcon(icons.Large.Get()), DrawIcon(shellLarge.Get()));
  EXPECT_EQ(DrawIcon(icons.Small.Get()), DrawIcon(shellSmall.Get()));
  ExpectSizes(icons);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ShellIconTest,
    testing::Values(ShellCase{"MixedCaseExtension", SystemFolder() + "\\shell32.Dll"},
                    ShellCase{"Folder", WindowsFolder()}, ShellCase{"DriveRoot", "C:\\"},
                    ShellCase{"TextFile", WindowsFolder() + "\\win.ini"}),
    [](const testing::TestParamInfo<ShellCase>& info) { return std::string(info.param.name); });

TEST(ButtonIcon, MixedCaseExtensionIgnoresTheIndex) {
  const std::string mixed = SystemFolder() + "\\shell32.Dll";
  EXPECT_EQ(DrawIcon(GetButtonIcon(mixed, 2, "C:\\").Large.Get()), DrawIcon(GetButtonIcon(mixed, 5, "C:\\").Large.Get()));
}

TEST(ButtonIcon, UrlsShareTheProgramsWebShortcutIcon) {
  ScratchFolder program;
  ASSERT_TRUE(WriteBytes(program.File("Orvantis.Quickrail Web Site.url"), kWebShortcut));

  ButtonIcons http = GetButtonIcon("http://www.orvantis.example/", 4, program.Path());
  ButtonIcons ftp = GetButtonIcon("ftp://files.orvantis.example/", 0, program.Path());
  ASSERT_TRUE(http.Large);
  ASSERT_TRUE(http.Small);
  ASSERT_TRUE(ftp.Large);
  // Two handles the caller can destroy apart, and one look for every URL.
  EXPECT_NE(http.Large.Get(), http.Small.Get());
  EXPECT_EQ(DrawIcon(http.Large.Get()), DrawIcon(ftp.Large.Get()));
  EXPECT_EQ(DrawIcon(http.Small.Get()), DrawIcon(ftp.Small.Get()));
  ButtonIcons again = GetButtonIcon("https://elsewhere.example/page", 0, program.Path());
  EXPECT_EQ(DrawIcon(again.Large.Get()), DrawIcon(http.Large.Get()));

  // A capitalised scheme is no URL to the lookup: the shell answers for the path.
  ButtonIcons upper = GetButtonIcon("HTTP://www.orvantis.example/", 0, program.Path());
  UniqueIcon shell(ShellIconOf("HTTP://www.orvantis.example/", true));
  EXPECT_EQ(DrawIcon(upper.Large.Get()), DrawIcon(shell.Get()));
  EXPECT_NE(DrawIcon(upper.Large.Get()), DrawIcon(http.Large.Get()));
}

TEST(ButtonIcon, UrlsHaveNoIconWithoutTheWebShortcutFile) {
  ScratchFolder program;
  ButtonIcons icons = GetButtonIcon("http://www.orvantis.example/", 0, program.Path());
  EXPECT_FALSE(icons.Large);
  EXPECT_FALSE(icons.Small);
}

// Asking for one size gives the image asking for both gives in that size,
// fallbacks included, and nothing of the other size.
TEST(ButtonIcon, OneSizeAloneIsThatSizeOfBoth) {
  ScratchFolder program;
  ASSERT_TRUE(WriteBytes(program.File("Orvantis.Quickrail Web Site.url"), kWebShortcut));
  const std::pair<std::string, int> pairs[] = {
      {WindowsFolder() + "\\regedit.exe", 2},   // by index from the file
      {SystemFolder() + "\\SHELL32.DLL", 3},
      {WindowsFolder() + "\\explorer.exe", 0},  // may hold no icons: the shell's then
      {WindowsFolder(), 0},                      // the shell's
      {"C:\\", 0},
      {program.File("missing.txt"), 0},          // the generic icon of its kind
      {WindowsFolder() + "\\notepad.exe", 999}, // no such icon: fallbacks
      {"http://www.orvantis.example/", 0},       // the web shortcut's
  };
  for (const auto& [path, index] : pairs) {
    ButtonIcons both = GetButtonIconOrGeneric(path, index, program.Path());
    ButtonIcons small = GetButtonIconOrGeneric(path, index, program.Path(), IconSizes::kSmall);
    ButtonIcons large = GetButtonIconOrGeneric(path, index, program.Path(), IconSizes::kLarge);
    ASSERT_TRUE(both.Small && both.Large) << path;
    EXPECT_EQ(DrawIcon(small.Small.Get()), DrawIcon(both.Small.Get())) << path;
    EXPECT_EQ(DrawIcon(large.Large.Get()), DrawIcon(both.Large.Get())) << path;
    EXPECT_FALSE(small.Large) << path;
    EXPECT_FALSE(large.Small) << path;
  }
}

// ---------------------------------------------------------------------------
// The icon picker. Stand-ins for the shell's entry record what they were given
// and answer like the dialog would.

std::wstring g_wideSeen;
std::string g_narrowSeen;
UINT g_capacitySeen = 0;

int WINAPI ChooseWide(HWND, void* path, UINT capacity, int* index) {
  auto* text = static_cast<wchar_t*>(path);
  g_wideSeen = text;
  g_capacitySeen = capacity;
  lstrcpynW(text, L"C:\\icons\\caf\u00e9.ico", static_cast<int>(capacity));
  *index = 7;
  return 1;
}

int WINAPI ChooseNarrow(HWND, void* path, UINT capacity, int* index) {
  auto* text = static_cast<char*>(path);
  g_narrowSeen = text;
  g_capacitySeen = capacity;
  lstrcpynA(text, "C:\\icons\\other.ico", static_cast<int>(capacity));
  *index = 4;
  return 1;
}

int WINAPI Cancel(HWND, void* path, UINT, int* index) {
  static_cast<char*>(path)[0] = 'X';  // whatever the dialog left behind is not taken
  *index = 99;
  return 0;
}

int WINAPI CannotShow(HWND, void* path, UINT, int* index) {
  static_cast<char*>(path)[0] = 'X';
  *index = 99;
  return -1;
}

TEST(IconPicker, WideEntryGetsTheConvertedPathAndItsChoiceComesBack) {
  std::string file = "C:\\old\\prog.exe";
  int index = 2;
  EXPECT_EQ(PickButtonIconWith(&ChooseWide, true, nullptr, file, index), 1);
  EXPECT_EQ(g_wideSeen, L"C:\\old\\prog.exe");
  EXPECT_EQ(g_capacitySeen, 260u);
  EXPECT_EQ(file, "C:\\icons\\caf\xe9.ico");  // back in the system code page (1252 here)
  EXPECT_EQ(index, 7);
}

TEST(IconPicker, NarrowEntryOnThe9xFamily) {
  std::string file = "C:\\old\\prog.exe";
  int index = 2;
  EXPECT_EQ(PickButtonIconWith(&ChooseNarrow, false, nullptr, file, index), 1);
  EXPECT_EQ(g_narrowSeen, "C:\\old\\prog.exe");
  EXPECT_EQ(g_capacitySeen, 260u);
  EXPECT_EQ(file, "C:\\icons\\other.ico");
  EXPECT_EQ(index, 4);
}

TEST(IconPicker, LongPathIsCutToTheBuffer) {
  std::string file = "C:\\" + std::string(400, 'a') + ".ico";
  int index = 0;
  PickButtonIconWith(&ChooseWide, true, nullptr, file, index);
  EXPECT_EQ(g_wideSeen.size(), 259u);
  file = "C:\\" + std::string(400, 'a') + ".ico";
  PickButtonIconWith(&ChooseNarrow, false, nullptr, file, index);
  EXPECT_EQ(g_narrowSeen.size(), 259u);
}

TEST(IconPicker, NoChoiceChangesNothing) {
  struct Case {
    IconPickerEntry entry;
    bool wide;
  } cases[] = {{&Cancel, true}, {&Cancel, false}, {&CannotShow, true}, {&CannotShow, false}, {nullptr, true}};
  for (const Case& c : cases) {
    std::string file = "C:\\old\\prog.exe";
    int index = 2;
    EXPECT_EQ(PickButtonIconWith(c.entry, c.wide, nullptr, file, index), 0);
    EXPECT_EQ(file, "C:\\old\\prog.exe");
    EXPECT_EQ(index, 2);
  }
}

// The shell's own picker: cancelled by a thread timer if its dialog shows (it
// cannot be shown in every environment; then the call changes nothing too).
BOOL CALLBACK CancelDialog(HWND hwnd, LPARAM) {
  char cls[32] = {};
  ::GetClassNameA(hwnd, cls, sizeof(cls));
  if (std::string(cls) == "#32770") ::PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

void CALLBACK CancelPicker(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumThreadWindows(::GetCurrentThreadId(), &CancelDialog, 0);
}

TEST(IconPicker, ShellPickerCancelledLeavesTheIcon) {
  std::string file = SystemFolder() + "\\shell32.dll";
  const std::string before = file;
  int index = 3;
  UINT_PTR timer = ::SetTimer(nullptr, 0, 200, &CancelPicker);
  EXPECT_EQ(PickButtonIcon(nullptr, file, index), 0);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(file, before);
  EXPECT_EQ(index, 3);
}

}  // namespace
