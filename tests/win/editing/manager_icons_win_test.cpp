// The buttons manager's icons of bars and buttons: from the icon cache it is
// given when it holds them as they are now, from the shell otherwise, and the
// manager never adds to the cache.
#include "editing/manager/manager_icons_win.h"

#include <gtest/gtest.h>

#include <string>

#include "icons/button_icon_win.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "icons/image_list_win.h"
#include "db/new_button.h"
#include "support/scratch_folder.h"

namespace {

using IconBox = UniqueHandle<NullHandleTraits<HWND, ::DestroyWindow>>;

std::string InWindows(const char* name) {
  char path[MAX_PATH] = {};
  ::GetWindowsDirectoryA(path, MAX_PATH);
  return std::string(path) + "\\" + name;
}

IconBox MakeIconBox() {
  return IconBox(::CreateWindowA("STATIC", "", WS_POPUP | SS_ICON, 0, 0, 32, 32, nullptr, nullptr, nullptr, nullptr));
}

TEST(ManagerIcons, HeldIconsComeFromTheCacheAndNothingIsAdded) {
  ScratchFolder program;
  const std::string notepad = InWindows("notepad.exe");
  const std::string regedit = InWindows("regedit.exe");
  CDB db;
  db.SetProgramFolder(program.Path());
  ASSERT_EQ(db.AddBar("bar"), 0);
  ButtonSpec request;
  request.Name = request.Target = request.IconFile = notepad;
  ASSERT_EQ(db.AddButton(request), 1);

  ButtonIconCache cache(program.Path());
  cache.Load();
  cache.FinishStartup(db);
  ButtonImageLists lists(&cache);
  ASSERT_EQ(lists.Build(db, 0, false), 1);  // the bar's build puts notepad into the cache
  ASSERT_EQ(cache.LookUps(), 1);

  ButtonIcons notepadShell = GetButtonIcon(notepad, 0, program.Path());
  ButtonIcons regeditShell = GetButtonIcon(regedit, 0, program.Path());
  UniqueIcon tree = ManagerTreeIcon(&cache, notepad, 0, program.Path());
  EXPECT_EQ(CaptureIconImage(tree.Get(), 16), CaptureIconImage(notepadShell.Small.Get(), 16));
  EXPECT_EQ(cache.LookUps(), 1);  // held: the shell is not asked

  IconBox upper = MakeIconBox();
  IconBox lower = MakeIconBox();
  ManagerIconBoxes boxes(&cache);
  boxes.Attach(upper.Get(), lower.Get());
  boxes.ShowButtonIcon(notepad, 0, program.Path());
  EXPECT_EQ(CaptureIconImage(boxes.Upper(), 32), CaptureIconImage(notepadShell.Large.Get(), 32));
  EXPECT_EQ(CaptureIconImage(boxes.Lower(), 32), CaptureIconImage(notepadShell.Large.Get(), 32));
  EXPECT_EQ(cache.LookUps(), 1);

  // Not held: the shell's icons, and the cache stays as it was.
  boxes.ShowButtonIcon(regedit, 0, program.Path());
  EXPECT_EQ(CaptureIconImage(boxes.Upper(), 32), CaptureIconImage(regeditShell.Large.Get(), 32));
  tree = ManagerTreeIcon(&cache, regedit, 0, program.Path());
  EXPECT_EQ(CaptureIconImage(tree.Get(), 16), CaptureIconImage(regeditShell.Small.Get(), 16));
  EXPECT_EQ(cache.LookUps(), 1);
  EXPECT_EQ(cache.Table().Size(), 1u);
  boxes.Clear();
}

}  // namespace
