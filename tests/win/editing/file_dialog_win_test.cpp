#include "editing/file_dialog_win.h"

#include <gtest/gtest.h>

#include <cstring>

#include "editing/browse_rules.h"
#include "win/editing/browse_dialog_answer_win.h"
#include "win/editing/shortcut_test_support_win.h"

TEST(FileDialog2KTest, TheRunningPlatformGetsTheRecordThatShowsThePlacesBar) {
  const int major = static_cast<int>(::GetVersion() & 0xFF);
  ASSERT_GE(major, 5) << "every platform the program runs on today is version 5 or later";
  CFileDialog2K dialog(true, nullptr, nullptr, 0, "", nullptr);
  DWORD seen = 0;
  dialog.SetSystemDialog([&](OPENFILENAMEA& record) {
    seen = record.lStructSize;
    return TRUE;
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(seen, 88u);
}

TEST(FileDialog2KTest, RecordSizeAndResultByPlatformVersion) {
  struct Case {
    int major;
    BOOL answer;
    DWORD size;  // 0: the system dialog is not run
    INT_PTR result;
  } cases[] = {{6, TRUE, 88, IDOK}, {5, FALSE, 88, IDCANCEL}, {4, TRUE, 76, IDOK}, {3, FALSE, 76, IDCANCEL},
               {2, TRUE, 0, -1}};
  for (const Case& c : cases) {
    CFileDialog2K dialog(true, nullptr, nullptr, 0, "", nullptr);
    dialog.SetPlatformMajorVersion(c.major);
    DWORD seen = 0;
    dialog.SetSystemDialog([&](OPENFILENAMEA& record) {
      seen = record.lStructSize;
      return c.answer;
    });
    EXPECT_EQ(dialog.DoModal(), c.result) << c.major;
    EXPECT_EQ(seen, c.size) << c.major;
  }
}

TEST(FileDialog2KTest, TheSystemFindsOneInitialNameTheFilterAndTheFolder) {
  CFileDialog2K dialog(true, "txt", "start.txt", OFN_EXPLORER, DialogFilter({{"Text", "*.txt"}}), nullptr);
  dialog.SetInitialFolder("C:\\windows");
  dialog.SetSystemDialog([&](OPENFILENAMEA& record) {
    EXPECT_STREQ(record.lpstrFile, "start.txt");
    for (DWORD i = std::strlen(record.lpstrFile); i < record.nMaxFile; ++i) EXPECT_EQ(record.lpstrFile[i], 0) << i;
    EXPECT_EQ(std::memcmp(record.lpstrFilter, "Text\0*.txt\0\0", 12), 0);
    EXPECT_EQ(record.nFilterIndex, 1u);
    EXPECT_STREQ(record.lpstrInitialDir, "C:\\windows");
    EXPECT_STREQ(record.lpstrDefExt, "txt");
    EXPECT_EQ(record.Flags, static_cast<DWORD>(OFN_EXPLORER));
    std::strcpy(record.lpstrFile, "C:\\windows\\chosen.txt");
    record.nFileOffset = 11;
    return TRUE;
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.PathName(), "C:\\windows\\chosen.txt");
  EXPECT_EQ(dialog.FileName(), "chosen.txt");
}

TEST(FileDialog2KTest, TheOwnerIsDisabledWhileTheDialogRunsAndTheFocusComesBack) {
  HWND owner = ::CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  ::SetFocus(owner);
  CFileDialog2K dialog(true, nullptr, nullptr, 0, "", owner);
  dialog.SetSystemDialog([&](OPENFILENAMEA& record) {
    EXPECT_EQ(record.hwndOwner, owner);
    EXPECT_FALSE(::IsWindowEnabled(owner));
    ::SetFocus(nullptr);
    return FALSE;
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  EXPECT_EQ(::GetFocus(), owner);
  ::DestroyWindow(owner);
}

TEST(FileDialog2KTest, TheRealDialogReturnsTheTypedFile) {
  TempFolder folder;
  const std::string file = folder.Put("notes.txt", "x");
  CFileDialog2K dialog(true, nullptr, nullptr, OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       DialogFilter({{"All files (*.*)", "*.*"}}), nullptr);
  dialog.SetInitialFolder(folder.Path());
  DialogAnswer answer = DialogAnswer::FileName(file);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(answer.Answered());
  EXPECT_EQ(dialog.PathName(), file);
  EXPECT_EQ(dialog.FileName(), "notes.txt");
}
