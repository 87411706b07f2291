#include "editing/browse_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/message_texts.h"
#include "editing/shortcut_fields.h"

namespace {

// Links by path; a link may fail after a number of fields, like a damaged file.
class TableLinks : public ShortcutReader {
 public:
  struct Link {
    ShortcutFields fields;
    int readable = 5;  // how many of the five reads succeed
  };
  std::map<std::string, Link> links;

  void Resolve(const std::string& path, ShortcutFields& out) override {
    auto it = links.find(path);
    if (it == links.end()) return;
    const Link& link = it->second;
    if (link.readable < 1) return;
    out.Target = link.fields.Target;
    if (link.readable < 2) return;
    out.Arguments = link.fields.Arguments;
    if (link.readable < 3) return;
    out.WorkDir = link.fields.WorkDir;
    if (link.readable < 4) return;
    out.ShowCmd = link.fields.ShowCmd;
    if (link.readable < 5) return;
    out.IconFile = link.fields.IconFile.empty() ? out.Target : link.fields.IconFile;
    out.IconIndex = link.fields.IconIndex;
  }
};

WorkingFields Filled() {
  WorkingFields fields;
  fields.Target = "old target";
  fields.Name = "old";
  fields.WorkDir = "old dir";
  fields.Arguments = "old args";
  fields.IconFile = "old.ico";
  fields.IconIndex = 4;
  fields.SizeChoice = 2;
  return fields;
}

}  // namespace

TEST(ChosenFileTest, APlainFileIsTheTargetRunFromItsFolder) {
  TableLinks links;
  WorkingFields fields = Filled();
  const std::string folder = TakeChosenFile("C:\\Tools\\notes.txt", fields, links);
  EXPECT_EQ(fields.Target, "C:\\Tools\\notes.txt");
  EXPECT_EQ(fields.Name, "notes");
  EXPECT_EQ(fields.WorkDir, "C:\\Tools\\");
  EXPECT_EQ(fields.Arguments, "");
  EXPECT_EQ(fields.IconFile, "C:\\Tools\\notes.txt");
  EXPECT_EQ(fields.IconIndex, 0);
  EXPECT_EQ(fields.SizeChoice, 0);
  EXPECT_EQ(folder, "C:\\Tools\\");
}

TEST(ChosenFileTest, NamesComeFromTheFileNameNotTheFolders) {
  TableLinks links;
  for (auto [path, name] : {std::pair{"C:\\Tools\\archive.tar.gz", "archive.tar"},
                            std::pair{"C:\\src.d\\Makefile", ""}, std::pair{"C:\\a.b\\.hidden", ""}}) {
    WorkingFields fields = Filled();
    TakeChosenFile(path, fields, links);
    EXPECT_EQ(fields.Name, name) << path;
  }
}

TEST(ChosenFileTest, ALinkGivesItsOwnFieldsAndItsShowCommandSetsTheWindowSize) {
  TableLinks links;
  links.links["C:\\Links\\Editor.lnk"] = {{"C:\\Apps\\ed.exe", "C:\\Work", "-n", 3, "", 0}};
  WorkingFields fields = Filled();
  const std::string folder = TakeChosenFile("C:\\Links\\Editor.lnk", fields, links);
  EXPECT_EQ(fields.Target, "C:\\Apps\\ed.exe");
  EXPECT_EQ(fields.Name, "Editor");
  EXPECT_EQ(fields.WorkDir, "C:\\Work");
  EXPECT_EQ(fields.Arguments, "-n");
  EXPECT_EQ(fields.IconFile, "C:\\Apps\\ed.exe");  // no icon location of its own
  EXPECT_EQ(fields.IconIndex, 0);
  EXPECT_EQ(fields.SizeChoice, 1);
  EXPECT_EQ(folder, "C:\\Links\\");
}

TEST(ChosenFileTest, ShowCommandsOutsideTheListKeepTheWindowSize) {
  for (int showCmd : {7, 0, 10}) {
    TableLinks links;
    links.links["C:\\a.lnk"] = {{"C:\\t.exe", "", "", showCmd, "C:\\i.ico", 2}};
    WorkingFields fields = Filled();
    TakeChosenFile("C:\\a.lnk", fields, links);
    EXPECT_EQ(fields.SizeChoice, 2) << showCmd;
    EXPECT_EQ(fields.IconFile, "C:\\i.ico");
    EXPECT_EQ(fields.IconIndex, 2);
  }
}

TEST(ChosenFileTest, ADamagedLinkLeavesTheFieldsItCouldNotRead) {
  TableLinks links;
  links.links["C:\\bad.lnk"] = {{"C:\\t.exe", "C:\\w", "-a", 3, "", 0}, 2};  // target and arguments only
  WorkingFields fields = Filled();
  TakeChosenFile("C:\\bad.lnk", fields, links);
  EXPECT_EQ(fields.Target, "C:\\t.exe");
  EXPECT_EQ(fields.Arguments, "-a");
  EXPECT_EQ(fields.WorkDir, "old dir");
  EXPECT_EQ(fields.IconFile, "old.ico");
  EXPECT_EQ(fields.IconIndex, 4);
  EXPECT_EQ(fields.SizeChoice, 2);
  EXPECT_EQ(fields.Name, "bad");
}

TEST(ChosenFolderTest, NameIsTheDisplayNameAndThereIsNoWorkingFolder) {
  WorkingFields fields = Filled();
  TakeChosenFolder("C:\\Users\\me\\Documents", "My Documents", fields);
  EXPECT_EQ(fields.Target, "C:\\Users\\me\\Documents");
  EXPECT_EQ(fields.Name, "My Documents");
  EXPECT_EQ(fields.WorkDir, "");
  EXPECT_EQ(fields.IconFile, "C:\\Users\\me\\Documents");
  EXPECT_EQ(fields.IconIndex, 0);
  EXPECT_EQ(fields.Arguments, "old args");
  EXPECT_EQ(fields.SizeChoice, 2);
}

TEST(TargetFilterTest, FilePatternsPerButtonKindAsTheDialogWantsThem) {
  MessageTexts texts;
  using namespace std::string_literals;
  EXPECT_EQ(TargetFilter(0, texts), "All files (*.*)\0*.*\0\0"s);
  EXPECT_EQ(TargetFilter(2, texts), "Internet shortcut files (*.url)\0*.url\0All files (*.*)\0*.*\0\0"s);
}
