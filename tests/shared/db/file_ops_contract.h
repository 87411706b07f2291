// What every FileOps implementation must do, checked in an empty folder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_ops.h"

inline void CheckFileOpsContract(FileOps& files, const std::string& folder) {
  const std::string a = folder + "\\a.bin";
  const std::string b = folder + "\\b.bin";
  const std::string c = folder + "\\c.bin";
  const std::string bytes("one\0two\xFF", 8);

  EXPECT_FALSE(files.Exists(a));
  EXPECT_FALSE(files.Exists(""));
  EXPECT_TRUE(files.Delete(a)) << "a missing file is no failure";
  EXPECT_FALSE(files.Move(a, b));
  EXPECT_FALSE(files.Copy(a, b));
  EXPECT_FALSE(files.Flush(a));
  EXPECT_FALSE(files.IsEmptyFile(a)) << "a missing file is not an empty one";
  std::string read = "unchanged";
  EXPECT_FALSE(files.ReadAll(a, read));

  ASSERT_TRUE(files.WriteAll(a, bytes));
  EXPECT_TRUE(files.Exists(a));
  EXPECT_FALSE(files.IsEmptyFile(a));
  ASSERT_TRUE(files.ReadAll(a, read));
  EXPECT_EQ(read, bytes);
  EXPECT_TRUE(files.Flush(a));

  ASSERT_TRUE(files.WriteAll(b, "old b"));
  EXPECT_TRUE(files.Copy(a, b)) << "copy replaces";
  ASSERT_TRUE(files.ReadAll(b, read));
  EXPECT_EQ(read, bytes);

  ASSERT_TRUE(files.WriteAll(c, "old c"));
  EXPECT_TRUE(files.Move(c, a)) << "move replaces";
  EXPECT_FALSE(files.Exists(c));
  ASSERT_TRUE(files.ReadAll(a, read));
  EXPECT_EQ(read, "old c");

  ASSERT_TRUE(files.WriteAll(a, ""));
  ASSERT_TRUE(files.ReadAll(a, read));
  EXPECT_EQ(read, "");
  EXPECT_TRUE(files.IsEmptyFile(a));
  EXPECT_TRUE(files.Delete(a));
  EXPECT_TRUE(files.Delete(b));
  EXPECT_FALSE(files.Exists(a));
  EXPECT_FALSE(files.Exists(b));

  const std::string sub = folder + "\\sub";
  EXPECT_TRUE(files.MakeFolder(sub));
  EXPECT_TRUE(files.MakeFolder(sub)) << "a folder that is there is no failure";
  std::vector<std::string> names{"stale"};
  EXPECT_TRUE(files.ListFiles(sub, names));
  EXPECT_TRUE(names.empty());
  ASSERT_TRUE(files.WriteAll(sub + "\\inner.acc", "1"));
  ASSERT_TRUE(files.WriteAll(c, "2"));
  EXPECT_TRUE(files.ListFiles(folder, names));
  EXPECT_EQ(names, std::vector<std::string>{"c.bin"}) << "the files, not the folders or what is in them";
  EXPECT_TRUE(files.Delete(sub + "\\inner.acc"));
  EXPECT_TRUE(files.Delete(c));
}
