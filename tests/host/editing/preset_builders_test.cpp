#include "editing/presets/preset_builders.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "db/cdb.h"
#include "editing/presets/preset_listing.h"
#include "editing/browse/shortcut_fields.h"

namespace {

constexpr uint32_t kDir = kDirectoryAttribute, kReadOnly = 0x1, kHidden = 0x2, kSystem = 0x4;

// Listings by the exact pattern asked for.
struct TableLister : DirectoryLister {
  std::map<std::string, std::vector<DirEntry>> folders;
  std::vector<DirEntry> List(const std::string& pattern) override { return folders[pattern]; }
};

struct NoNames : AppletNamer {
  std::string AppletName(const std::string& path) override { return path.ends_with("time.cpl") ? "Date/Time" : ""; }
};

struct OneLink : ShortcutReader {
  void Resolve(const std::string& path, ShortcutFields& fields) override {
    if (path.ends_with("Editor.lnk")) fields = {"C:\\ed.exe", "C:\\Work", "-n", 7, "C:\\ed.ico", 3};
  }
};

// target, name, working folder, arguments, icon file, icon index, show command, kind
using Row = std::tuple<std::string, std::string, std::string, std::string, std::string, int, int, int>;
std::vector<Row> Rows(const PresetBar& bar) {
  std::vector<Row> rows;
  for (const ButtonSpec& b : bar.Buttons)
    rows.emplace_back(b.Target, b.Name, b.WorkDir, b.Arguments, b.IconFile, b.IconIndex, b.ShowCmd, b.Kind);
  return rows;
}

}  // namespace

TEST(PresetBuildersTest, AFolderGivesItsSubfoldersFirstThenEveryFileHiddenOnesToo) {
  TableLister lister;
  lister.folders["C:\\Work\\*.*"] = {{".", kDir},         {"readme.txt", 0x20}, {"..", kDir},
                                     {"Docs", kDir | kReadOnly | kHidden},      {"tool.exe", 0},
                                     {"Makefile", kHidden | kSystem}};
  const PresetBar bar = FolderPreset("C:\\Work", "Work", lister);
  EXPECT_EQ(bar.Name, "Work");
  EXPECT_EQ(Rows(bar), (std::vector<Row>{
                           {"C:\\Work\\Docs", "Docs", "C:\\Work\\Docs", "", "C:\\Work\\Docs", 0, 1, 1},
                           {"C:\\Work\\readme.txt", "readme", "C:\\Work\\", "", "C:\\Work\\readme.txt", 0, 1, 0},
                           {"C:\\Work\\tool.exe", "tool", "C:\\Work\\", "", "C:\\Work\\tool.exe", 0, 1, 0},
                           {"C:\\Work\\Makefile", "", "C:\\Work\\", "", "C:\\Work\\Makefile", 0, 1, 0}}));
}

TEST(PresetBuildersTest, FavoritesKeepFoldersAndInternetShortcutsOnly) {
  TableLister lister;
  lister.folders["C:\\Fav\\*.*"] = {{"notes.txt", 0}, {"News.url", 0}, {"Links", kDir | kReadOnly}};
  EXPECT_EQ(Rows(FavoritesPreset("C:\\Fav", lister)),
            (std::vector<Row>{{"C:\\Fav\\Links", "Links", "C:\\Fav\\", "", "C:\\Fav\\Links", 0, 1, 1},
                              {"C:\\Fav\\News.url", "News", "C:\\Fav\\", "", "C:\\Fav\\News.url", 0, 1, 0}}));
}

TEST(PresetBuildersTest, AppletsRunControlAndLinksKeepTheirOwnFields) {
  TableLister lister;
  lister.folders["C:\\W\\SYSTEM\\*.cpl"] = {{"time.cpl", 0}, {"joy.cpl", 0}};
  NoNames namer;
  EXPECT_EQ(Rows(ControlPanelPreset("C:\\W\\SYSTEM", "C:\\W", lister, namer)),
            (std::vector<Row>{{"C:\\W\\control.exe", "Date/Time", "C:\\W\\", "time.cpl", "C:\\W\\SYSTEM\\time.cpl", 0, 1, 0},
                              {"C:\\W\\control.exe", "joy.cpl", "C:\\W\\", "joy.cpl", "C:\\W\\SYSTEM\\joy.cpl", 0, 1, 0}}));

  lister.folders["C:\\AD\\Microsoft\\Internet Explorer\\Quick Launch\\*.lnk"] = {{"Editor.lnk", 0}, {"Gone.lnk", 0}};
  OneLink links;
  EXPECT_EQ(Rows(QuickLaunchPreset("C:\\AD", lister, links)),
            (std::vector<Row>{{"C:\\ed.exe", "Editor", "C:\\Work", "-n", "C:\\ed.ico", 3, 7, 0},
                              // Unreadable: empty fields, and a window that still shows.
                              {"", "Gone", "", "", "", 0, 1, 0}}));
}

TEST(PresetBuildersTest, TheBarComesFirstAndEveryEntryBecomesAButton) {
  CDB db;
  TableLister lister;
  // More entries than one bar's 64 command ids.
  for (int i = 0; i < 70; ++i) lister.folders["C:\\Many\\*.*"].push_back({"f" + std::to_string(i) + ".txt", 0});
  const PresetBar preset = FolderPreset("C:\\Many", "Many", lister);
  EXPECT_EQ(AddPresetToDatabase(db, preset), 0);
  EXPECT_EQ(AddPresetToDatabase(db, preset), 1);  // the same preset twice: two bars of one name
  ASSERT_EQ(db.Bar(1)->Count(), 70);
  EXPECT_EQ(db.Bar(1)->Name, "Many");
  EXPECT_EQ(db.Bar(1)->At(69)->Name, "f69");
}
