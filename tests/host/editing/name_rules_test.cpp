#include "editing/browse/name_rules.h"

#include <gtest/gtest.h>

TEST(NameRulesTest, NamesAreCutBeforeTheLastDot) {
  const std::pair<const char*, const char*> cases[] = {
      {"notes.txt", "notes"}, {"archive.tar.gz", "archive.tar"}, {"Makefile", ""}, {".hidden", ""}, {"News.url", "News"}};
  for (const auto& [file, name] : cases) EXPECT_EQ(NameBeforeLastDot(file), name) << file;
}

TEST(NameRulesTest, FoldersKeepOneFinalBackslash) {
  EXPECT_EQ(FileNameOf("C:\\Tools\\notes.txt"), "notes.txt");
  EXPECT_EQ(FolderOf("C:\\Tools\\notes.txt"), "C:\\Tools\\");
  EXPECT_EQ(FolderOf("plain"), "");
}

TEST(NameRulesTest, OnlyALeadingHttpOrHttpsSchemeLeavesTheName) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://host/page", "host/page"},    {"HTTPS://host/page", "host/page"},
      {"ftp://host/file", "ftp://host/file"}, {"see http://host", "see http://host"},
      {"https://a/?next=http://b", "a/?next=http://b"}};
  for (const auto& [url, name] : cases) EXPECT_EQ(UrlButtonName(url), name) << url;
}
