#include "icons/image_list_win.h"

#include <gtest/gtest.h>

#include "icons/button_icon_win.h"
#include "db/new_button.h"
#include "db/cbar.h"
#include "db/cdb.h"
#include "icon_pixels_win.h"

namespace {

std::string WindowsFolder() {
  char path[MAX_PATH] = {};
  ::GetWindowsDirectoryA(path, MAX_PATH);
  return path;
}

ButtonSpec FileButton(const std::string& target, int32_t iconIndex = 0) {
  ButtonSpec request;
  request.Target = target;
  request.Name = target;
  request.IconFile = target;
  request.IconIndex = iconIndex;
  request.Kind = kFile;
  return request;
}

IconPicture ListImage(HIMAGELIST list, int index) {
  UniqueIcon icon(::ImageList_GetIcon(list, index, ILD_NORMAL));
  return DrawIcon(icon.Get());
}

class ImageListBuildTest : public testing::Test {
 protected:
  void SetUp() override {
    db_.SetProgramFolder(WindowsFolder());
    ASSERT_EQ(db_.AddBar("first"), 0);
    ASSERT_EQ(db_.AddBar("second"), 1);
    ASSERT_EQ(db_.AddButton(FileButton(WindowsFolder() + "\\notepad.exe")), 1);
  }

  // Fills bar 1: notepad, separator, hidden regedit, the Windows folder.
  void FillSecondBar() {
    CBar& bar = *db_.Bar(1);
    bar.Clear();
    ButtonSpec first = FileButton(WindowsFolder() + "\\notepad.exe");
    first.Bar = 1;
    ASSERT_EQ(db_.AddButton(first), 1);
    bar.InsertSeparator(-1);
    ButtonSpec hidden = FileButton(WindowsFolder() + "\\regedit.exe");
    hidden.Bar = 1;
    ASSERT_EQ(db_.AddButton(hidden), 1);
    bar.At(2)->Available = 0;
    bar.At(2)->ImageIndex = 9;
    ButtonSpec folder = FileButton(WindowsFolder());
    folder.Kind = kFolder;
    folder.Bar = 1;
    ASSERT_EQ(db_.AddButton(folder), 1);
  }

  CDB db_;
  ButtonImageLists lists_{nullptr};  // no icon cache: every icon from the shell
};

TEST_F(ImageListBuildTest, ShownButtonsFillBothListsInBarOrder) {
  FillSecondBar();
  ASSERT_EQ(lists_.Build(db_, 1, false), 1);
  EXPECT_EQ(::ImageList_GetImageCount(lists_.Small()), 2);
  EXPECT_EQ(::ImageList_GetImageCount(lists_.Large()), 2);
  int cx = 0, cy = 0;
  ::ImageList_GetIconSize(lists_.Small(), &cx, &cy);
  EXPECT_EQ(cx, 16);
  ::ImageList_GetIconSize(lists_.Large(), &cx, &cy);
  EXPECT_EQ(cx, 32);

  CBar& bar = *db_.Bar(1);
  EXPECT_EQ(bar.At(0)->ImageIndex, 0);
  EXPECT_EQ(bar.At(1)->ImageIndex, -1);
  EXPECT_EQ(bar.At(2)->ImageIndex, 9);  // hidden: left as it was
  EXPECT_EQ(bar.At(3)->ImageIndex, 1);

  // The images are the buttons' own icons, in order.
  ButtonIcons folder = GetButtonIcon(WindowsFolder(), 0, WindowsFolder());
  EXPECT_EQ(ListImage(lists_.Large(), 1), DrawIcon(folder.Large.Get()));
  ButtonIcons notepad = GetButtonIcon(WindowsFolder() + "\\notepad.exe", 0, WindowsFolder());
  EXPECT_EQ(ListImage(lists_.Small(), 0), DrawIcon(notepad.Small.Get()));
}

TEST_F(ImageListBuildTest, RebuildStartsFromEmptyLists) {
  FillSecondBar();
  ASSERT_EQ(lists_.Build(db_, 1, true), 1);
  ASSERT_EQ(lists_.Build(db_, 0, true), 1);
  EXPECT_EQ(::ImageList_GetImageCount(lists_.Large()), 1);
  EXPECT_EQ(db_.Bar(0)->At(0)->ImageIndex, 0);
}

TEST_F(ImageListBuildTest, ButtonWithoutAnIconGetsAGenericImage) {
  CBar& bar = *db_.Bar(0);
  bar.At(0)->IconFile = WindowsFolder() + "\\notepad.exe";
  bar.At(0)->IconIndex = 999;  // no such icon
  ButtonSpec second = FileButton(WindowsFolder() + "\\notepad.exe");
  ASSERT_EQ(db_.AddButton(second), 1);
  ASSERT_EQ(lists_.Build(db_, 0, false), 1);
  EXPECT_EQ(bar.At(0)->ImageIndex, 0);
  EXPECT_EQ(bar.At(1)->ImageIndex, 1);
  EXPECT_EQ(::ImageList_GetImageCount(lists_.Small()), 2);
}

TEST_F(ImageListBuildTest, NoBarsGiveEmptyLists) {
  CDB empty;
  ASSERT_EQ(lists_.Build(empty, 0, false), 1);
  ASSERT_NE(lists_.Small(), nullptr);
  EXPECT_EQ(::ImageList_GetImageCount(lists_.Small()), 0);
  EXPECT_EQ(::ImageList_GetImageCount(lists_.Large()), 0);
}

}  // namespace
