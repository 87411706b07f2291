#include "platform/path_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(PathRules, JoinPutsExactlyOneBackslashBetween) {
  const struct {
    const char *folder, *name, *joined;
  } cases[] = {
      {"C:\\Apps\\Q", "options.ini", "C:\\Apps\\Q\\options.ini"},
      {"C:\\Apps\\Q\\", "Orvantis.chm", "C:\\Apps\\Q\\Orvantis.chm"},
      {"C:\\Docs/", "a.txt", "C:\\Docs\\a.txt"},
      {"C:\\", "options.ini", "C:\\options.ini"},  // a drive root, not "C:\\\\options.ini"
      {"\\\\server\\share\\\\", "a", "\\\\server\\share\\a"},
      {"", "lbars.acc", "lbars.acc"},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinPath(c.folder, c.name), c.joined) << c.folder;
  EXPECT_EQ(WithFinalBackslash(""), "");
  EXPECT_EQ(WithFinalBackslash("C:/x//"), "C:/x\\");
  EXPECT_EQ(WithoutFinalSeparators("C:\\Tools\\/"), "C:\\Tools");
}

TEST(PathRules, DrivesAndSeparators) {
  const struct {
    const char* path;
    bool drive, root;
  } cases[] = {
      {"C:", true, true},          {"c:\\", true, true},      {"Z:/", true, true},  {"C:\\x", true, false},
      {"C:x", true, false},        {"1:\\", false, false},    {":\\", false, false}, {"\\\\srv\\s", false, false},
      {"", false, false},          {"C", false, false},       {"C:\\\\", true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StartsWithDrive(c.path), c.drive) << c.path;
    EXPECT_EQ(IsDriveRoot(c.path), c.root) << c.path;
  }
  EXPECT_TRUE(StartsWithDrive("\\\\?\\D:\\x", 4));
  EXPECT_FALSE(StartsWithDrive("\\\\?\\D", 4));
  EXPECT_TRUE(IsPathSeparator('/') && IsPathSeparator('\\') && !IsPathSeparator(':'));
}

}  // namespace
