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

// time.cpl names itself, main.cpl holds two applets, sys.cpl refuses to start.
struct NoNames : AppletNamer {
  AppletList Applets(const std::string& path) override {
    asked.push_back(path);
    if (path.ends_with("time.cpl")) return {false, {"Date/Time"}};
    if (path.ends_with("main.cpl")) return {false, {"Mouse", ""}};
    if (path.ends_with("sys.cpl")) return {true, {}};
    return {false, {""}};
  }
  std::vector<std::string> asked;
};

// Its paths name the drive through a variable, which the preset expands
// (the arguments stay as they are).
struct OneLink : ShortcutReader {
  void Resolve(const std::string& path, ShortcutFields& fields) override {
    if (path.ends_with("Editor.lnk")) fields = {"%D%\\ed.exe", "%D%\\Work", "-n %D%", 7, "%D%\\ed.ico", 3};
  }
  std::string Expanded(const std::string& path) override {
    return path.starts_with("%D%") ? "C:" + path.substr(3) : path;
  }
};

// target, name, working folder, arguments, icon file, icon index, show command, kind
using Row = std::tuple<std::string, std::string, std::string, std::string, std::string, int, int, int>;
std::vector<Row> Rows(const std::optional<PresetBar>& bar) {
  std::vector<Row> rows;
  for (const ButtonSpec& b : bar.value().Buttons)
    rows.emplace_back(b.Target, b.Name, b.WorkDir, b.Arguments, b.IconFile, b.IconIndex, b.ShowCmd, b.Kind);
  return rows;
}

}  // namespace

TEST(PresetBuildersTest, AFolderGivesItsSubfoldersFirstThenEveryFileHiddenOnesToo) {
  TableLister lister;
  lister.folders["C:\\Work\\*.*"] = {{".", kDir},         {"readme.txt", 0x20}, {"..", kDir},
                                     {"Docs", kDir | kReadOnly | kHidden},      {"tool.exe", 0},
                                     {"Makefile", kHidden | kSystem}};
  const auto bar = FolderPreset("C:\\Work", "Work", lister);
  EXPECT_EQ(bar.value().Name, "Work");
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
  lister.folders["C:\\W\\SYSTEM\\*.cpl"] = {{"time.cpl", 0}, {"sys.cpl", 0}, {"joy.cpl", 0}, {"main.cpl", 0}};
  NoNames namer;
  EXPECT_EQ(Rows(ControlPanelPreset("C:\\W\\SYSTEM", "C:\\W", lister, namer)),
            (std::vector<Row>{{"C:\\W\\control.exe", "Date/Time", "C:\\W\\", "time.cpl", "C:\\W\\SYSTEM\\time.cpl", 0, 1, 0},
                              {"C:\\W\\control.exe", "joy.cpl", "C:\\W\\", "joy.cpl", "C:\\W\\SYSTEM\\joy.cpl", 0, 1, 0},
                              {"C:\\W\\control.exe", "Mouse", "C:\\W\\", "main.cpl", "C:\\W\\SYSTEM\\main.cpl", 0, 1, 0},
                              {"C:\\W\\control.exe", "main.cpl", "C:\\W\\", "main.cpl,@1", "C:\\W\\SYSTEM\\main.cpl", 0, 1, 0}}));

  lister.folders["C:\\AD\\Microsoft\\Internet Explorer\\Quick Launch\\*.lnk"] = {{"Editor.lnk", 0}, {"Gone.lnk", 0}};
  OneLink links;
  EXPECT_EQ(Rows(QuickLaunchPreset("C:\\AD", lister, links)),
            (std::vector<Row>{{"C:\\ed.exe", "Editor", "C:\\Work", "-n %D%", "C:\\ed.ico", 3, 7, 0},
                              // Unreadable: empty fields, and a window that still shows.
                              {"", "Gone", "", "", "", 0, 1, 0}}));
}

TEST(PresetBuildersTest, TheBarComesFirstAndEveryEntryBecomesAButton) {
  CDB db;
  TableLister lister;
  // More entries than one bar's 64 command ids.
  for (int i = 0; i < 70; ++i) lister.folders["C:\\Many\\*.*"].push_back({"f" + std::to_string(i) + ".txt", 0});
  const auto preset = FolderPreset("C:\\Many", "Many", lister);
  EXPECT_EQ(AddPresetToDatabase(db, preset), 0);
  EXPECT_EQ(AddPresetToDatabase(db, preset), 1);  // the same preset twice: two bars of one name
  ASSERT_EQ(db.Bar(1)->Count(), 70);
  EXPECT_EQ(db.Bar(1)->Name, "Many");
  EXPECT_EQ(db.Bar(1)->At(69)->Name, "f69");
}

TEST(PresetBuildersTest, MoreThan64ItemsAskFirstAndNoMakesNothing) {
  struct Case {
    int entries;
    bool answer;
    int asked;  // the count the question names; 0 when not asked
    bool made;
  };
  const Case cases[] = {{64, false, 0, true}, {65, true, 65, true}, {65, false, 65, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entries);
    TableLister lister;
    for (int i = 0; i < c.entries; ++i) {
      const std::string name = "a" + std::to_string(i);
      lister.folders["C:\\Many\\*.*"].push_back({name + ".url", 0});
      lister.folders["C:\\W\\*.cpl"].push_back({name + ".cpl", 0});
      lister.folders["C:\\AD\\Microsoft\\Internet Explorer\\Quick Launch\\*.lnk"].push_back({name + ".lnk", 0});
    }
    std::vector<std::size_t> questions;
    const ManyItemsQuestion ask = [&](std::size_t count) {
      questions.push_back(count);
      return c.answer;
    };
    NoNames namer;
    OneLink links;
    CDB db;
    const std::optional<PresetBar> presets[] = {
        FolderPreset("C:\\Many", "Many", lister, ask), FavoritesPreset("C:\\Many", lister, ask),
        ControlPanelPreset("C:\\W", "C:\\W", lister, namer, ask), QuickLaunchPreset("C:\\AD", lister, links, ask)};
    for (const auto& preset : presets) {
      EXPECT_EQ(preset.has_value(), c.made);
      EXPECT_EQ(AddPresetToDatabase(db, preset) >= 0, c.made);
    }
    EXPECT_EQ(db.Bar(0) != nullptr, c.made);
    EXPECT_EQ(questions, std::vector<std::size_t>(c.asked ? 4 : 0, c.asked));
    // Declined applets are not even loaded.
    EXPECT_EQ(namer.asked.size(), c.made ? static_cast<std::size_t>(c.entries) : 0u);
  }
}
