#include "editing/url_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/ini_profile.h"

namespace {

// A ".url" file in the temporary folder, removed with the test.
class UrlFile {
 public:
  explicit UrlFile(const std::string& contents, const std::string& name = "link.url") {
    std::random_device random;
    dir_ = std::filesystem::temp_directory_path() / ("qr_url_" + std::to_string(random()));
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / name).string();
    std::ofstream(path_, std::ios::binary) << contents;
  }
  ~UrlFile() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::filesystem::path dir_;
  std::string path_;
};

std::string Shortcut(const std::string& url) { return "[InternetShortcut]\r\nURL=" + url + "\r\nIconIndex=0\r\n"; }

}  // namespace

TEST(UrlFileTest, TargetIsTheAddressAndNameLosesOnlyAWebScheme) {
  struct Case {
    std::string url;
    std::string name;
  } cases[] = {
      {"http://host/page", "host/page"},
      {"https://host/page?q=1", "host/page?q=1"},
      {"ftp://files.example/pub", "ftp://files.example/pub"},
      {"HTTP://HOST", "HOST"},
  };
  for (const Case& c : cases) {
    UrlFile file(Shortcut(c.url));
    IniFileProfile profile(file.Path());
    WorkingFields fields;
    fields.WorkDir = "kept";
    ASSERT_TRUE(TakeInternetShortcut(file.Path(), profile, fields)) << c.url;
    EXPECT_EQ(fields.Target, c.url);
    EXPECT_EQ(fields.Name, c.name);
    EXPECT_EQ(fields.WorkDir, "kept");
  }
}

TEST(UrlFileTest, MissingKeyOrSectionGivesEmptyTargetAndName) {
  for (const std::string contents : {"[InternetShortcut]\r\nIconIndex=1\r\n", "[Other]\r\nURL=http://x\r\n", ""}) {
    UrlFile file(contents);
    IniFileProfile profile(file.Path());
    WorkingFields fields;
    fields.Target = "http://";
    fields.Name = "old";
    ASSERT_TRUE(TakeInternetShortcut(file.Path(), profile, fields));
    EXPECT_EQ(fields.Target, "");
    EXPECT_EQ(fields.Name, "");
  }
}

TEST(UrlFileTest, LongAddressIsKeptWhole) {
  const std::string url = "http://host/" + std::string(1500, 'a');
  UrlFile file(Shortcut(url));
  IniFileProfile profile(file.Path());
  EXPECT_EQ(ReadInternetShortcutUrl(profile), url);
}

TEST(UrlFileTest, AFileWithoutUrlInItsPathChangesNothing) {
  UrlFile file(Shortcut("http://host"), "page.URL");
  IniFileProfile profile(file.Path());
  WorkingFields fields;
  fields.Target = "http://";
  const WorkingFields before = fields;
  EXPECT_FALSE(TakeInternetShortcut(file.Path(), profile, fields));
  EXPECT_EQ(fields, before);
}
