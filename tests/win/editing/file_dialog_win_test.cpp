#include "editing/browse/file_dialog_win.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(FileDialog2KTest, TheSystemSeesTheRecordOfItsVersionAndOneInitialName) {
  const int running = static_cast<int>(::GetVersion() & 0xFF);
  ASSERT_GE(running, 5) << "every platform the program runs on today shows the places bar";
  struct Case {
    int major;
    BOOL answer;
    DWORD size;  // 0: no system dialog at all
    INT_PTR result;
  } cases[] = {{running, TRUE, 88, IDOK}, {5, FALSE, 88, IDCANCEL}, {4, TRUE, 76, IDOK}, {3, FALSE, 76, IDCANCEL},
               {2, TRUE, 0, -1}};
  for (const Case& c : cases) {
    CFileDialog2K dialog(true, nullptr, "start.txt", OFN_EXPLORER, "", nullptr);
    dialog.SetPlatformMajorVersion(c.major);
    DWORD seen = 0;
    dialog.SetSystemDialog([&](OPENFILENAMEA& record) {
      seen = record.lStructSize;
      EXPECT_STREQ(record.lpstrFile, "start.txt");
      for (DWORD i = 9; i < record.nMaxFile; ++i) EXPECT_EQ(record.lpstrFile[i], 0) << i;
      std::strcpy(record.lpstrFile, "C:\\windows\\chosen.txt");
      record.nFileOffset = 11;
      return c.answer;
    });
    EXPECT_EQ(dialog.DoModal(), c.result) << c.major;
    EXPECT_EQ(seen, c.size) << c.major;
    if (c.result == IDOK) {
      EXPECT_EQ(dialog.FileName(), "chosen.txt");
    }
  }
}

TEST(FileDialog2KTest, TheOwnerIsDisabledWhileTheDialogRunsAndTheFocusComesBack) {
  HWND owner = ::CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
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
