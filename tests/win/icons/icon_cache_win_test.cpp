// The icon cache on the real shell and image lists: what the lists hold when
// built from the cache is what they hold when built from the shell, a second
// start asks the shell nothing, and a stale, damaged, foreign or missing cache
// file costs look-ups but never a wrong image.
#include "icons/icon_cache_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "db/cbar.h"
#include "icons/button_icon_win.h"
#include "db/cdb.h"
#include "icons/image_list_win.h"
#include "icon_pixels_win.h"
#include "support/scratch_folder.h"

namespace {

std::string WindowsFolder() {
  char path[MAX_PATH] = {};
  ::GetWindowsDirectoryA(path, MAX_PATH);
  return path;
}

std::vector<IconPicture> Pictures(HIMAGELIST list) {
  std::vector<IconPicture> out;
  for (int i = 0; i < ::ImageList_GetImageCount(list); ++i) {
    UniqueIcon icon(::ImageList_GetIcon(list, i, ILD_NORMAL));
    out.push_back(DrawIcon(icon.Get()));
  }
  return out;
}

void SetWriteTime(const std::string& path, const FILETIME& time) {
  UniqueKernelHandle file(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file);
  ASSERT_TRUE(::SetFileTime(file.Get(), nullptr, nullptr, &time));
}

FILETIME WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// One start of the bar: its cache and the lists drawn from it, which go first.
struct BarStart {
  explicit BarStart(const std::string& programFolder) : cache(programFolder), lists(&cache) {}
  ButtonIconCache cache;
  ButtonImageLists lists;
};

class IconCacheWinTest : public testing::Test {
 protected:
  void SetUp() override {
    db_.SetProgramFolder(program_.Path());
    WriteBytes(program_.File("Orvantis.Quickrail Web Site.url"),
               "[InternetShortcut]\r\nURL=http://www.example.com/\r\n");
    ASSERT_EQ(db_.AddBar("mixed"), 0);
    // A program copied into the scratch folder, so that it can be changed.
    ASSERT_TRUE(::CopyFileA((WindowsFolder() + "\\notepad.exe").c_str(), Program().c_str(), FALSE));
    Add(Program(), 0);
    Add(WindowsFolder() + "\\system32\\shell32.dll", 4);
    Add(WindowsFolder(), 0, kFolder);
    Add("C:\\", 0, kFolder);
    Add("http://www.example.com/", 0, kInternet);
    Add(program_.File("nothing here.txt"), 0);
    db_.Bar(0)->At(5)->Available = 1;  // shown although missing: its icon is still asked for
  }

  std::string Program() const { return program_.File("tool.exe"); }

  void Add(const std::string& target, int32_t index, int32_t kind = kFile) {
    ButtonSpec request;
    request.Name = target;
    request.Target = target;
    request.IconFile = target;
    request.IconIndex = index;
    request.Kind = kind;
    ASSERT_EQ(db_.AddButton(request), 1);
  }

  // One start of the bar: the lists built while starting, then the rest after
  // the first paint. Returns the look-ups the cache made before the paint.
  int Start(BarStart& start, bool large = false) {
    ButtonIconCache& cache = start.cache;
    ButtonImageLists& lists = start.lists;
    cache.Load();
    EXPECT_EQ(lists.Build(db_, 0, large), 1);
    const int drawn = ::ImageList_GetImageCount(lists.ForIconSize(large));
    EXPECT_EQ(drawn, 6);
    // The other size waits for the first paint: not in the list, not even
    // asked of the shell for what had to be looked up.
    EXPECT_EQ(::ImageList_GetImageCount(lists.ForIconSize(!large)), 0);
    const int beforePaint = cache.LookUps();
    int lacking = 0;
    for (int32_t i = 0; i < db_.Bar(0)->Count(); ++i) {
      const CD& button = *db_.Bar(0)->At(i);
      const std::optional<IconSizes> lacks = cache.Table().Lacks(IconCacheKey(button.IconFile, button.IconIndex));
      if (lacks) {
        EXPECT_EQ(*lacks, large ? IconSizes::kSmall : IconSizes::kLarge) << button.IconFile;
      }
      lacking += lacks ? 1 : 0;
    }
    EXPECT_EQ(lacking, beforePaint);
    cache.FinishStartup(db_);
    EXPECT_EQ(::ImageList_GetImageCount(lists.ForIconSize(!large)), drawn);
    // Each icon looked up at one size is looked up at the other after the paint.
    EXPECT_EQ(cache.LookUps(), 2 * beforePaint);
    return beforePaint;
  }

  ScratchFolder program_;
  CDB db_;
};

TEST_F(IconCacheWinTest, ListsFromTheCacheLookLikeListsFromTheShell) {
  ButtonImageLists shell(nullptr);
  ASSERT_EQ(shell.Build(db_, 0, false), 1);  // no cache: the shell as always

  BarStart first(program_.Path());
  EXPECT_EQ(Start(first), 6);  // nothing cached yet
  BarStart second(program_.Path());
  EXPECT_EQ(Start(second, true), 0);  // everything cached, large icons shown this time

  for (const ButtonImageLists* lists : {&first.lists, &second.lists}) {
    EXPECT_EQ(Pictures(lists->Small()), Pictures(shell.Small()));
    EXPECT_EQ(Pictures(lists->Large()), Pictures(shell.Large()));
  }
}

TEST_F(IconCacheWinTest, AChangedFileIsLookedUpAgainAndOnlyIt) {
  BarStart start(program_.Path());
  Start(start);
  // Another program under the same name: a new size and time.
  ASSERT_TRUE(::CopyFileA((WindowsFolder() + "\\regedit.exe").c_str(), Program().c_str(), FALSE));
  BarStart again(program_.Path());
  EXPECT_EQ(Start(again), 1);
  ButtonIcons regedit = GetButtonIcon(Program(), 0, program_.Path());
  UniqueIcon shown(::ImageList_GetIcon(again.lists.Small(), 0, ILD_NORMAL));
  EXPECT_EQ(DrawIcon(shown.Get()), DrawIcon(regedit.Small.Get()));
}

TEST_F(IconCacheWinTest, AnEntryIsTrustedWhileSizeAndTimeMatch) {
  BarStart start(program_.Path());
  Start(start);
  const std::vector<IconPicture> before = Pictures(start.lists.Small());
  // The file written again with its old time: same size, same time, no look-up.
  const FILETIME time = WriteTime(Program());
  std::string bytes = ReadBytes(Program());
  ASSERT_FALSE(bytes.empty());
  ASSERT_TRUE(WriteBytes(Program(), bytes));
  SetWriteTime(Program(), time);
  BarStart again(program_.Path());
  EXPECT_EQ(Start(again), 0);
  EXPECT_EQ(Pictures(again.lists.Small()), before);
}

TEST_F(IconCacheWinTest, DamagedForeignOrMissingFilesAreReplacedNotTrusted) {
  BarStart start(program_.Path());
  Start(start);
  const std::string path = program_.File(kIconCacheFileName);
  const std::string whole = ReadBytes(path);
  ASSERT_FALSE(whole.empty());

  std::string damaged = whole;
  const std::string* const none = nullptr;
  damaged[damaged.size() / 2] ^= 0x20;
  const std::string foreign = "[InternetShortcut]\r\nURL=http://www.example.com/\r\n";
  for (const std::string* file : {static_cast<const std::string*>(&damaged), &foreign, none}) {
    if (file) {
      ASSERT_TRUE(WriteBytes(path, *file));
    } else {
      ASSERT_TRUE(::DeleteFileA(path.c_str()));
    }
    ButtonIconCache cache(program_.Path());
    EXPECT_FALSE(cache.Load());
    EXPECT_EQ(cache.Table().Size(), 0u);
    BarStart rebuilt(program_.Path());
    EXPECT_EQ(Start(rebuilt), 6);
    EXPECT_EQ(Pictures(rebuilt.lists.Small()), Pictures(start.lists.Small()));
    // Written anew, whole.
    ButtonIconCache reread(program_.Path());
    EXPECT_TRUE(reread.Load());
    EXPECT_EQ(reread.Table().Size(), 6u);
  }
}

TEST_F(IconCacheWinTest, TheFileKeepsOnlyIconsTheButtonsStillName) {
  BarStart start(program_.Path());
  Start(start);
  db_.Bar(0)->Remove(1);  // shell32.dll, 4
  ButtonIconCache cache(program_.Path());
  ASSERT_TRUE(cache.Load());
  ASSERT_TRUE(cache.Save(db_));
  ButtonIconCache reread(program_.Path());
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(reread.Table().Size(), 5u);
  EXPECT_EQ(reread.Table().Find({WindowsFolder() + "\\system32\\shell32.dll", 4}), nullptr);
}

TEST_F(IconCacheWinTest, AfterTheStartBuildsAreCompleteAtOnce) {
  ButtonIconCache cache(program_.Path());
  cache.Load();
  cache.FinishStartup(db_);
  ButtonImageLists lists(&cache);
  ASSERT_EQ(lists.Build(db_, 0, false), 1);
  EXPECT_EQ(::ImageList_GetImageCount(lists.Small()), 6);
  EXPECT_EQ(::ImageList_GetImageCount(lists.Large()), 6);
  // And the file follows at once.
  ButtonIconCache reread(program_.Path());
  EXPECT_TRUE(reread.Load());
}

// The bar-switch menu and the buttons manager take the icons the cache holds
// as they are now, without the shell; only the menu adds what it lacks.
TEST_F(IconCacheWinTest, MenusAndTheManagerTakeHeldIconsWithoutTheShell) {
  BarStart start(program_.Path());
  Start(start);
  ButtonIconCache cache(program_.Path());
  ASSERT_TRUE(cache.Load());
  cache.FinishStartup(db_);
  const int startLookUps = cache.LookUps();

  ButtonIcons shell = GetButtonIcon(Program(), 0, program_.Path());
  for (bool large : {false, true}) {
    UniqueIcon held = ButtonIconOfSize(&cache, Program(), 0, program_.Path(),
                                       large ? OneIconSize::kLarge : OneIconSize::kSmall, CacheMiss::kGiveNull);
    EXPECT_EQ(DrawIcon(held.Get()), DrawIcon(large ? shell.Large.Get() : shell.Small.Get())) << large;
  }
  EXPECT_EQ(cache.LookUps(), startLookUps);

  // Not held: the manager asks the shell and leaves the cache as it is ...
  const std::string regedit = WindowsFolder() + "\\regedit.exe";
  ButtonIcons regeditShell = GetButtonIcon(regedit, 0, program_.Path());
  UniqueIcon asked = ButtonIconOfSize(&cache, regedit, 0, program_.Path(), OneIconSize::kSmall, CacheMiss::kGiveNull);
  EXPECT_EQ(DrawIcon(asked.Get()), DrawIcon(regeditShell.Small.Get()));
  EXPECT_EQ(cache.LookUps(), startLookUps);
  EXPECT_EQ(cache.Table().Find({regedit, 0}), nullptr);
  // ... the menu has it looked up once and kept, for the file too.
  for (int opening = 0; opening < 2; ++opening) {
    UniqueIcon kept =
        ButtonIconOfSize(&cache, regedit, 0, program_.Path(), OneIconSize::kSmall, CacheMiss::kLookUpAndKeep);
    EXPECT_EQ(DrawIcon(kept.Get()), DrawIcon(regeditShell.Small.Get()));
    EXPECT_EQ(cache.LookUps(), startLookUps + 1);
  }
  db_.Bar(0)->IconFile = regedit;  // a bar's icon is kept like a button's
  ASSERT_TRUE(cache.Save(db_));
  ButtonIconCache reread(program_.Path());
  ASSERT_TRUE(reread.Load());
  EXPECT_NE(reread.Table().Find({regedit, 0}), nullptr);

  // A held entry that is stale is not shown: the file changed since.
  ASSERT_TRUE(::CopyFileA(regedit.c_str(), Program().c_str(), FALSE));
  UniqueIcon changed =
      ButtonIconOfSize(&cache, Program(), 0, program_.Path(), OneIconSize::kSmall, CacheMiss::kGiveNull);
  EXPECT_EQ(DrawIcon(changed.Get()), DrawIcon(regeditShell.Small.Get()));
}

}  // namespace

namespace {

// The quick way of putting an icon into a list gives what ImageList_ReplaceIcon
// gives, also for an icon of the other size, which the list scales.
TEST(AppendIconImageTest, GivesTheImageReplaceIconGives) {
  ButtonIcons notepad = GetButtonIcon(WindowsFolder() + "\\notepad.exe", 0, WindowsFolder());
  ButtonIcons folder = GetButtonIcon(WindowsFolder(), 0, WindowsFolder());
  ASSERT_TRUE(notepad.Large && notepad.Small && folder.Large);
  for (int side : {16, 32}) {
    UniqueImageList quick(::ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 0, 1));
    UniqueImageList drawn(::ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 0, 1));
    for (HICON icon : {notepad.Small.Get(), notepad.Large.Get(), folder.Large.Get()}) {
      EXPECT_EQ(AppendIconImage(quick.Get(), icon, side), ::ImageList_ReplaceIcon(drawn.Get(), -1, icon));
    }
    EXPECT_EQ(Pictures(quick.Get()), Pictures(drawn.Get())) << side;
  }
  UniqueImageList list(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1));
  EXPECT_EQ(AppendIconImage(list.Get(), nullptr, 16), -1);
}

// An icon made back from a captured image looks like the icon it was taken
// from, at its own size.
TEST(IconFromImageTest, LooksLikeTheIconItWasTakenFrom) {
  ButtonIcons notepad = GetButtonIcon(WindowsFolder() + "\\notepad.exe", 0, WindowsFolder());
  ButtonIcons drive = GetButtonIcon("C:\\", 0, WindowsFolder());
  for (const ButtonIcons* icons : {&notepad, &drive}) {
    UniqueIcon small = IconFromImage(CaptureIconImage(icons->Small.Get(), kSmallIconSide));
    UniqueIcon large = IconFromImage(CaptureIconImage(icons->Large.Get(), kLargeIconSide));
    EXPECT_EQ(DrawIcon(small.Get()), DrawIcon(icons->Small.Get()));
    EXPECT_EQ(DrawIcon(large.Get()), DrawIcon(icons->Large.Get()));
  }
  EXPECT_FALSE(IconFromImage(IconImage{}));
}

}  // namespace
