#include "icons/button_icon.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "db/cbar.h"
#include "icons/image_list.h"

namespace {

struct ClassifyCase {
  const char* path;
  IconSource expected;
};

class ClassifyIconPathTest : public testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyIconPathTest, DecidesHowTheIconIsFound) {
  EXPECT_EQ(ClassifyIconPath(GetParam().path), GetParam().expected) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ClassifyIconPathTest,
    testing::Values(
        ClassifyCase{"C:\\Windows\\notepad.exe", IconSource::IndexedFile},
        ClassifyCase{"C:\\Windows\\System32\\shell32.dll", IconSource::IndexedFile},
        ClassifyCase{"C:\\Windows\\System32\\SHELL32.DLL", IconSource::IndexedFile},
        ClassifyCase{"D:\\art\\STAR.ICO", IconSource::IndexedFile},
        ClassifyCase{"C:\\Windows\\System32\\DESK.CPL", IconSource::IndexedFile},
        // The test is case-sensitive: mixed case goes to the shell.
        ClassifyCase{"C:\\Windows\\notepad.Exe", IconSource::Shell},
        ClassifyCase{"C:\\Windows\\System32\\shell32.Dll", IconSource::Shell},
        // Only the last four characters count.
        ClassifyCase{"C:\\tools\\app.exe.txt", IconSource::Shell},
        ClassifyCase{"C:\\setup.exe ", IconSource::Shell},
        ClassifyCase{".exe", IconSource::IndexedFile},
        ClassifyCase{"", IconSource::Shell},
        // URLs by their case-sensitive scheme prefix.
        ClassifyCase{"http://www.orvantis.example/", IconSource::WebShortcut},
        ClassifyCase{"https://www.orvantis.example/", IconSource::WebShortcut},
        ClassifyCase{"ftp://files.orvantis.example/pub", IconSource::WebShortcut},
        ClassifyCase{"HTTP://www.orvantis.example/", IconSource::Shell},
        ClassifyCase{"www.orvantis.example", IconSource::Shell},
        // The extension is looked at before the scheme.
        ClassifyCase{"http://www.orvantis.example/setup.exe", IconSource::IndexedFile},
        // Folders and drives.
        ClassifyCase{"C:\\Windows", IconSource::Shell},
        ClassifyCase{"C:\\", IconSource::Shell}));

TEST(WebShortcutPath, JoinsFolderAndFileWithOneBackslash) {
  EXPECT_EQ(WebShortcutPath("C:\\Orvantis"), "C:\\Orvantis\\Orvantis.Quickrail Web Site.url");
  EXPECT_EQ(WebShortcutPath("C:\\Orvantis\\"), "C:\\Orvantis\\Orvantis.Quickrail Web Site.url");
  EXPECT_EQ(WebShortcutPath(""), "Orvantis.Quickrail Web Site.url");
}

// Records what is appended; small and large positions are counted apart, and
// icon files named "broken" fail to give a large icon.
class FakeSink : public ButtonImageSink {
 public:
  ImagePositions Append(const std::string& iconFile, int32_t iconIndex) override {
    appended.push_back(iconFile + "," + std::to_string(iconIndex));
    ImagePositions at{smallCount++, -1};
    if (iconFile != "broken") at.Large = largeCount++;
    return at;
  }
  std::vector<std::string> appended;
  int smallCount = 0;
  int largeCount = 0;
};

std::unique_ptr<CD> Button(const std::string& iconFile, int32_t iconIndex, int32_t available = 1) {
  auto button = std::make_unique<CD>();
  button->Kind = kFile;
  button->Target = iconFile;
  button->IconFile = iconFile;
  button->IconIndex = iconIndex;
  button->Available = available;
  button->ImageIndex = 7;  // left from an earlier build
  return button;
}

class ButtonImagesTest : public testing::Test {
 protected:
  void SetUp() override {
    bar_.Insert(Button("one.exe", 0), -1);
    bar_.InsertSeparator(-1);
    bar_.Insert(Button("hidden.exe", 1, 0), -1);
    bar_.Insert(Button("two.exe", 2), -1);
  }
  CBar bar_;
  FakeSink sink_;
};

TEST_F(ButtonImagesTest, ShownButtonsTakeConsecutivePositions) {
  AddButtonImages(bar_, false, sink_);
  EXPECT_EQ(sink_.appended, (std::vector<std::string>{"one.exe,0", "two.exe,2"}));
  EXPECT_EQ(bar_.At(0)->ImageIndex, 0);
  EXPECT_EQ(bar_.At(3)->ImageIndex, 1);
}

TEST_F(ButtonImagesTest, SeparatorsAndHiddenButtonsKeepTheirIndex) {
  AddButtonImages(bar_, true, sink_);
  EXPECT_EQ(bar_.At(1)->ImageIndex, -1);
  EXPECT_EQ(bar_.At(2)->ImageIndex, 7);
}

TEST_F(ButtonImagesTest, IndexComesFromTheListTheBarDrawsFrom) {
  bar_.Insert(Button("broken", 0), 0);  // second on the bar, no large icon
  AddButtonImages(bar_, true, sink_);
  EXPECT_EQ(bar_.At(0)->ImageIndex, 0);
  EXPECT_EQ(bar_.At(1)->ImageIndex, -1);
  EXPECT_EQ(bar_.At(4)->ImageIndex, 1);

  FakeSink smallSink;
  AddButtonImages(bar_, false, smallSink);
  EXPECT_EQ(bar_.At(1)->ImageIndex, 1);
  EXPECT_EQ(bar_.At(4)->ImageIndex, 2);
}

TEST(ButtonImages, EmptyBarAppendsNothing) {
  CBar bar;
  FakeSink sink;
  AddButtonImages(bar, false, sink);
  EXPECT_TRUE(sink.appended.empty());
}

}  // namespace

TEST(IconPathInFolderTest, RelativePathsLieInTheProgramFolder) {
  const std::string folder = "C:\\Apps\\Orvantis";
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"icons\\star.ico", "C:\\Apps\\Orvantis\\icons\\star.ico"},
      {"star.ico", "C:\\Apps\\Orvantis\\star.ico"},
      {"\\Tools\\tool.exe", "C:\\Tools\\tool.exe"},
      {"D:\\Tools\\tool.exe", "D:\\Tools\\tool.exe"},
      {"\\\\server\\share\\a.ico", "\\\\server\\share\\a.ico"},
      {"http://host/page", "http://host/page"},
      {"ftp://host/file", "ftp://host/file"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(IconPathInFolder(c.path, folder), c.expected) << c.path;
}
