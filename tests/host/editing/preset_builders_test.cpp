#include "editing/preset_builders.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "db/cdb.h"
#include "editing/preset_listing.h"
#include "editing/shortcut_fields.h"

namespace {

constexpr uint32_t kReadOnly = 0x1, kHidden = 0x2, kSystem = 0x4, kArchive = 0x20;

// Listings by the exact pattern asked for; any other pattern lists nothing.
class TableLister : public DirectoryLister {
 public:
  std::map<std::string, std::vector<DirEntry>> folders;
  std::vector<std::string> asked;
  std::vector<DirEntry> List(const std::string& pattern) override {
    asked.push_back(pattern);
    auto it = folders.find(pattern);
    return it == folders.end() ? std::vector<DirEntry>{} : it->second;
  }
};

class TableNamer : public AppletNamer {
 public:
  std::map<std::string, std::string> names;
  std::string AppletName(const std::string& path) override { return names.count(path) ? names[path] : ""; }
};

class TableLinks : public ShortcutReader {
 public:
  std::map<std::string, ShortcutFields> links;
  void Resolve(const std::string& path, ShortcutFields& fields) override {
    if (links.count(path)) fields = links[path];
  }
};

// The fields of a button the test compares as one row.
using Row = std::tuple<std::string, std::string, std::string, std::string, std::string, int, int, int>;
Row RowOf(const ButtonSpec& b) {
  return {b.Target, b.Name, b.WorkDir, b.Arguments, b.IconFile, b.IconIndex, b.ShowCmd, b.Kind};
}
std::vector<Row> Rows(const PresetBar& bar) {
  std::vector<Row> rows;
  for (const ButtonSpec& b : bar.Buttons) rows.push_back(RowOf(b));
  return rows;
}

}  // namespace

TEST(FolderPresetTest, FoldersFirstThenEveryFileInListingOrder) {
  TableLister lister;
  lister.folders["C:\\Work\\*.*"] = {
      {".", kDirectoryAttribute},
      {"readme.txt", kArchive},
      {"..", kDirectoryAttribute},
      {"Docs", kDirectoryAttribute | kReadOnly | kHidden},
      {"tool.exe", 0},
      {"Makefile", kHidden | kSystem},
      {"Old", kDirectoryAttribute | kArchive},
  };
  const PresetBar bar = FolderPreset("C:\\Work", "Work", lister);
  EXPECT_EQ(bar.Name, "Work");
  const std::vector<Row> expected = {
      {"C:\\Work\\Docs", "Docs", "C:\\Work\\Docs", "", "C:\\Work\\Docs", 0, 1, 1},
      {"C:\\Work\\Old", "Old", "C:\\Work\\Old", "", "C:\\Work\\Old", 0, 1, 1},
      {"C:\\Work\\readme.txt", "readme", "C:\\Work\\", "", "C:\\Work\\readme.txt", 0, 1, 0},
      {"C:\\Work\\tool.exe", "tool", "C:\\Work\\", "", "C:\\Work\\tool.exe", 0, 1, 0},
      {"C:\\Work\\Makefile", "", "C:\\Work\\", "", "C:\\Work\\Makefile", 0, 1, 0},
  };
  EXPECT_EQ(Rows(bar), expected);
}

TEST(FolderPresetTest, ADriveRootGetsNoDoubleBackslashAndAnEmptyFolderNoButtons) {
  TableLister lister;
  lister.folders["D:\\*.*"] = {{"a.txt", 0}};
  EXPECT_EQ(FolderPreset("D:\\", "Data (D:)", lister).Buttons.at(0).Target, "D:\\a.txt");
  EXPECT_TRUE(FolderPreset("C:\\Empty", "Empty", lister).Buttons.empty());
}

TEST(FavoritesPresetTest, FoldersThenOnlyInternetShortcuts) {
  TableLister lister;
  lister.folders["C:\\Fav\\*.*"] = {
      {"notes.txt", 0}, {"News.url", 0}, {".", kDirectoryAttribute}, {"Links", kDirectoryAttribute | kReadOnly},
      {"Shop.URL", 0},  // the letters must match exactly
      {"a.url.bak", 0},
  };
  const PresetBar bar = FavoritesPreset("C:\\Fav", lister);
  EXPECT_EQ(bar.Name, "Favorites");
  const std::vector<Row> expected = {
      {"C:\\Fav\\Links", "Links", "C:\\Fav\\", "", "C:\\Fav\\Links", 0, 1, 1},
      {"C:\\Fav\\News.url", "News", "C:\\Fav\\", "", "C:\\Fav\\News.url", 0, 1, 0},
      {"C:\\Fav\\a.url.bak", "a.url", "C:\\Fav\\", "", "C:\\Fav\\a.url.bak", 0, 1, 0},
  };
  EXPECT_EQ(Rows(bar), expected);
}

TEST(ControlPanelPresetTest, EachAppletRunsControlWithItsFileName) {
  TableLister lister;
  lister.folders["C:\\WINDOWS\\system32\\*.cpl"] = {{"timedate.cpl", 0}, {"joy.cpl", 0}, {"dir.cpl", kDirectoryAttribute}};
  TableNamer namer;
  namer.names["C:\\WINDOWS\\system32\\timedate.cpl"] = "Date and Time";
  const PresetBar bar = ControlPanelPreset("C:\\WINDOWS\\system32", "C:\\WINDOWS\\system32", lister, namer);
  EXPECT_EQ(bar.Name, "Control Panel");
  const std::vector<Row> expected = {
      {"C:\\WINDOWS\\system32\\control.exe", "Date and Time", "C:\\WINDOWS\\system32\\", "timedate.cpl",
       "C:\\WINDOWS\\system32\\timedate.cpl", 0, 1, 0},
      {"C:\\WINDOWS\\system32\\control.exe", "joy.cpl", "C:\\WINDOWS\\system32\\", "joy.cpl",
       "C:\\WINDOWS\\system32\\joy.cpl", 0, 1, 0},
  };
  EXPECT_EQ(Rows(bar), expected);
}

TEST(ControlPanelPresetTest, OnTheOlderFamilyControlComesFromTheWindowsFolder) {
  TableLister lister;
  lister.folders["C:\\WINDOWS\\SYSTEM\\*.cpl"] = {{"main.cpl", 0}};
  TableNamer namer;
  const PresetBar bar = ControlPanelPreset("C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS", lister, namer);
  ASSERT_EQ(bar.Buttons.size(), 1u);
  EXPECT_EQ(bar.Buttons[0].Target, "C:\\WINDOWS\\control.exe");
  EXPECT_EQ(bar.Buttons[0].WorkDir, "C:\\WINDOWS\\");
  EXPECT_EQ(bar.Buttons[0].IconFile, "C:\\WINDOWS\\SYSTEM\\main.cpl");
}

TEST(QuickLaunchPresetTest, LinksKeepTheirFieldsAndShowCommand) {
  const std::string folder = "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch\\";
  TableLister lister;
  lister.folders[folder + "*.lnk"] = {{"Editor.lnk", 0}, {"Broken.lnk", 0}};
  TableLinks links;
  links.links[folder + "Editor.lnk"] = {"C:\\Apps\\ed.exe", "C:\\Work", "-n", 7, "C:\\Apps\\ed.ico", 3};
  const PresetBar bar = QuickLaunchPreset("C:\\Users\\me\\AppData\\Roaming", lister, links);
  EXPECT_EQ(bar.Name, "Quick Launch");
  const std::vector<Row> expected = {
      {"C:\\Apps\\ed.exe", "Editor", "C:\\Work", "-n", "C:\\Apps\\ed.ico", 3, 7, 0},
      // Unreadable: empty fields, and a window that still shows.
      {"", "Broken", "", "", "", 0, 1, 0},
  };
  EXPECT_EQ(Rows(bar), expected);
}

TEST(QuickLaunchPresetTest, NoApplicationDataFolderListsNothing) {
  TableLister lister;
  TableLinks links;
  EXPECT_TRUE(QuickLaunchPreset("", lister, links).Buttons.empty());
  EXPECT_TRUE(lister.asked.empty());
}

TEST(AddPresetTest, TheBarComesFirstThenItsButtonsAtTheEndInOrder) {
  CDB db;
  ASSERT_EQ(db.AddBar("Existing"), 0);
  TableLister lister;
  // More entries than one bar's 64 command ids: every one still becomes a button.
  for (int i = 0; i < 70; ++i) lister.folders["C:\\Many\\*.*"].push_back({"f" + std::to_string(i) + ".txt", 0});
  const PresetBar preset = FolderPreset("C:\\Many", "Many", lister);
  EXPECT_EQ(AddPresetToDatabase(db, preset), 1);
  EXPECT_EQ(AddPresetToDatabase(db, preset), 2);  // twice gives two bars of the same name
  for (int ordinal : {1, 2}) {
    const CBar* bar = db.Bar(ordinal);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Name, "Many");
    ASSERT_EQ(bar->Count(), 70);
    EXPECT_EQ(bar->At(0)->Name, "f0");
    EXPECT_EQ(bar->At(69)->Name, "f69");
  }
  EXPECT_EQ(db.Bar(0)->Count(), 0);
}
