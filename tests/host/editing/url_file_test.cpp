#include "editing/browse/url_file.h"

#include <gtest/gtest.h>

#include "platform/profile.h"
#include "support/ini_profile.h"
#include "support/scratch_folder.h"

TEST(UrlFileTest, TheAddressIsTheTargetAndItsNameLosesAWebScheme) {
  struct Case {
    std::string contents, target, name;
  } cases[] = {
      {"[InternetShortcut]\r\nURL=http://host/page\r\n", "http://host/page", "host/page"},
      {"[InternetShortcut]\r\nURL=https://host/p?q=1\r\n", "https://host/p?q=1", "host/p?q=1"},
      {"[InternetShortcut]\r\nURL=ftp://files/pub\r\n", "ftp://files/pub", "ftp://files/pub"},
      {"[InternetShortcut]\r\nIconIndex=1\r\n", "", ""},  // no URL key
      // A long address is kept whole: a cut one would open some other page.
      {"[InternetShortcut]\r\nURL=http://h/" + std::string(1500, 'a'), "http://h/" + std::string(1500, 'a'),
       "h/" + std::string(1500, 'a')},
  };
  ScratchFolder folder;
  const std::string path = folder.File("link.url");
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteBytes(path, c.contents));
    IniFileProfile file(path);
    WorkingFields fields;
    fields.Target = "http://";
    fields.WorkDir = "kept";
    ASSERT_EQ(TakeInternetShortcut(path, file, fields), ShortcutTake::kTaken);
    EXPECT_EQ(fields.Target, c.target);
    EXPECT_EQ(fields.Name, c.name);
    EXPECT_EQ(fields.WorkDir, "kept");
  }
  WorkingFields untouched;
  IniFileProfile file(path);
  EXPECT_EQ(TakeInternetShortcut("C:\\page.htm", file, untouched), ShortcutTake::kNotShortcut);
  EXPECT_EQ(untouched, WorkingFields{});
}

TEST(UrlFileTest, AnAddressOverTheLimitIsRefusedAndNothingChanges) {
  const std::string head = "http://h/";
  struct Case {
    size_t length;
    ShortcutTake expected;
  } cases[] = {
      {kMaxInternetShortcutUrl, ShortcutTake::kTaken},
      {kMaxInternetShortcutUrl + 1, ShortcutTake::kTooLong},
      {1u << 20, ShortcutTake::kTooLong},
  };
  ScratchFolder folder;
  const std::string path = folder.File("long.url");
  for (const Case& c : cases) {
    const std::string url = head + std::string(c.length - head.size(), 'a');
    ASSERT_TRUE(WriteBytes(path, "[InternetShortcut]\r\nURL=" + url + "\r\n"));
    IniFileProfile file(path);
    WorkingFields fields;
    fields.Target = "before";
    EXPECT_EQ(TakeInternetShortcut(path, file, fields), c.expected) << c.length;
    EXPECT_EQ(fields.Target, c.expected == ShortcutTake::kTaken ? url : "before") << c.length;
  }
}
