#include "editing/shortcut_reader_win.h"

#include <gtest/gtest.h>

#include <ostream>

#include "win/editing/shortcut_test_support_win.h"

void PrintTo(const ShortcutFields& f, std::ostream* out) {
  *out << "{" << f.Target << " | " << f.WorkDir << " | " << f.Arguments << " | " << f.ShowCmd << " | " << f.IconFile
       << " | " << f.IconIndex << "}";
}

namespace {

ShortcutFields Filled() { return {"old target", "old dir", "old args", 5, "old.ico", 4}; }

}  // namespace

TEST(ResolveShortcutTest, ReadsEveryFieldOfALinkAndTakesTheTargetAsIconWhenItHasNone) {
  TempFolder folder;
  const std::string target = folder.Put("ed.exe", "MZ");
  const std::string work = folder.MakeFolder("Work");
  ASSERT_TRUE(MakeShellLink(folder.PathOf("Editor.lnk"), {target, "-n file.txt", work, SW_SHOWMAXIMIZED, "", 0}));
  ShortcutFields fields = Filled();
  ShellShortcutReader().Resolve(folder.PathOf("Editor.lnk"), fields);
  // The show command is whatever the shell reads back (see ShellShowCmdOf).
  const int shown = RunningUnderWine() ? ShellShowCmdOf(folder.PathOf("Editor.lnk")) : SW_SHOWMAXIMIZED;
  EXPECT_EQ(fields, (ShortcutFields{target, work, "-n file.txt", shown, target, 0}));
}

TEST(ResolveShortcutTest, AnIconLocationOfItsOwnIsKept) {
  TempFolder folder;
  const std::string target = folder.Put("tool.exe", "MZ");
  const std::string icons = folder.Put("icons.dll", "MZ");
  ASSERT_TRUE(MakeShellLink(folder.PathOf("Tool.lnk"), {target, "", "", SW_SHOWMINNOACTIVE, icons, 7}));
  ShortcutFields fields = Filled();
  ShellShortcutReader().Resolve(folder.PathOf("Tool.lnk"), fields);
  EXPECT_EQ(fields.Target, target);
  EXPECT_EQ(fields.ShowCmd, RunningUnderWine() ? ShellShowCmdOf(folder.PathOf("Tool.lnk")) : SW_SHOWMINNOACTIVE);
  EXPECT_EQ(fields.IconFile, icons);
  EXPECT_EQ(fields.IconIndex, 7);
  EXPECT_EQ(fields.WorkDir, "");
  EXPECT_EQ(fields.Arguments, "");
}

TEST(ResolveShortcutTest, ADamagedOrMissingLinkLeavesTheFields) {
  TempFolder folder;
  const std::string damaged = folder.Put("Damaged.lnk", std::string("L\0\0\0garbage that is no link", 28));
  for (const std::string& path : {damaged, folder.PathOf("Missing.lnk")}) {
    ShortcutFields fields = Filled();
    ShellShortcutReader().Resolve(path, fields);
    EXPECT_EQ(fields, Filled()) << path;
  }
}
