#include "editing/browse/shortcut_reader_win.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/shell_links_win.h"

void PrintTo(const ShortcutFields& f, std::ostream* out) {
  *out << "{" << f.Target << " | " << f.WorkDir << " | " << f.Arguments << " | " << f.ShowCmd << " | " << f.IconFile
       << " | " << f.IconIndex << "}";
}

TEST(ResolveShortcutTest, ReadsEveryFieldAndTakesTheTargetAsIconWhenTheLinkHasNone) {
  ScratchFolder folder;
  const std::string target = PutFile(folder, "ed.exe", "MZ");
  const std::string icons = PutFile(folder, "icons.dll", "MZ");
  ASSERT_TRUE(MakeShellLink(folder.File("Editor.lnk"), {target, "-n file.txt", folder.Path(), SW_SHOWMAXIMIZED}));
  ASSERT_TRUE(MakeShellLink(folder.File("Tool.lnk"), {target, "", "", SW_SHOWNORMAL, icons, 7}));
  ShortcutFields fields{"old", "old", "old", 5, "old", 4};
  ShellShortcutReader().Resolve(folder.File("Editor.lnk"), fields);
  EXPECT_EQ(fields, (ShortcutFields{target, folder.Path(), "-n file.txt", ExpectedShowCmd(3), target, 0}));
  ShellShortcutReader().Resolve(folder.File("Tool.lnk"), fields);
  EXPECT_EQ(fields, (ShortcutFields{target, "", "", 1, icons, 7}));
}

TEST(ResolveShortcutTest, ADamagedOrMissingLinkLeavesTheFields) {
  ScratchFolder folder;
  const std::string damaged = PutFile(folder, "Damaged.lnk", std::string("L\0\0\0garbage that is no link", 28));
  for (const std::string& path : {damaged, folder.File("Missing.lnk")}) {
    ShortcutFields fields{"old", "old", "old", 5, "old", 4};
    ShellShortcutReader().Resolve(path, fields);
    EXPECT_EQ(fields, (ShortcutFields{"old", "old", "old", 5, "old", 4})) << path;
  }
}

// Arguments longer than the system's path buffers arrive whole, so that a
// button can refuse them rather than keep them cut.
TEST(ResolveShortcutTest, ArgumentsLongerThanAPathComeWhole) {
  ScratchFolder folder;
  const std::string target = PutFile(folder, "ed.exe", "MZ");
  const std::string arguments(300, 'a');
  ASSERT_TRUE(MakeShellLink(folder.File("Long.lnk"), {target, arguments, ""}));
  ShortcutFields fields;
  ShellShortcutReader().Resolve(folder.File("Long.lnk"), fields);
  EXPECT_EQ(fields.Arguments, arguments);
  EXPECT_EQ(fields.Target, target);
}

// The paths of a link stand for what the environment says now.
TEST(ResolveShortcutTest, PathsAreExpandedThroughTheEnvironment) {
  ::SetEnvironmentVariableA("QR_LINK_DIR", "C:\\Tools");
  EXPECT_EQ(ShellShortcutReader().Expanded("%QR_LINK_DIR%\\ed.exe"), "C:\\Tools\\ed.exe");
  EXPECT_EQ(ShellShortcutReader().Expanded("C:\\100%\\a.txt"), "C:\\100%\\a.txt");
  ::SetEnvironmentVariableA("QR_LINK_DIR", nullptr);
}
