#include "editing/name_rules.h"

#include <gtest/gtest.h>

#include <string>

struct NameCase {
  const char* fileName;
  const char* name;
};

class NameBeforeLastDotTest : public testing::TestWithParam<NameCase> {};

TEST_P(NameBeforeLastDotTest, CutsBeforeTheLastDot) {
  EXPECT_EQ(NameBeforeLastDot(GetParam().fileName), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Names, NameBeforeLastDotTest,
                         testing::Values(NameCase{"notes.txt", "notes"}, NameCase{"archive.tar.gz", "archive.tar"},
                                         NameCase{"Makefile", ""}, NameCase{".hidden", ""},
                                         NameCase{"trailing.", "trailing"}, NameCase{"News.url", "News"},
                                         NameCase{"", ""}));

TEST(PathPartsTest, FileNameAndFolderOfChosenPaths) {
  struct Case {
    const char* path;
    const char* fileName;
    const char* folder;
  } cases[] = {
      {"C:\\Tools\\notes.txt", "notes.txt", "C:\\Tools\\"},
      {"C:\\notes.txt", "notes.txt", "C:\\"},
      {"\\\\server\\share\\a.b.c", "a.b.c", "\\\\server\\share\\"},
      {"C:/Mixed/file.exe", "file.exe", "C:/Mixed\\"},
      {"plain", "plain", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileNameOf(c.path), c.fileName) << c.path;
    EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
  }
}

TEST(PathPartsTest, PathInFolderPutsExactlyOneBackslashBetween) {
  EXPECT_EQ(PathInFolder("C:\\Docs", "a.txt"), "C:\\Docs\\a.txt");
  EXPECT_EQ(PathInFolder("C:\\Docs\\", "a.txt"), "C:\\Docs\\a.txt");
  EXPECT_EQ(PathInFolder("C:\\", "a.txt"), "C:\\a.txt");
  EXPECT_EQ(WithFinalBackslash(""), "");
  EXPECT_EQ(WithFinalBackslash("\\"), "\\");
}

TEST(UrlButtonNameTest, OnlyALeadingHttpOrHttpsSchemeIsDropped) {
  struct Case {
    const char* url;
    const char* name;
  } cases[] = {
      {"http://host/page", "host/page"},
      {"https://host/page", "host/page"},
      {"HTTP://Host/Page", "Host/Page"},
      {"HttpS://host", "host"},
      {"ftp://host/file", "ftp://host/file"},
      // The scheme only counts at the start: nothing inside the address is cut.
      {"see http://host", "see http://host"},
      {"https://host/?next=http://other", "host/?next=http://other"},
      {"http:/", "http:/"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(UrlButtonName(c.url), c.name) << c.url;
}
