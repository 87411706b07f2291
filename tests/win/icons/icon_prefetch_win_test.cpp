// The first frame's icons looked up on a worker while the window is made: the
// build takes the answers without asking the shell again, one look-up per
// icon however many buttons show it, and an answer whose file changed after
// it was stamped is not trusted.
#include "icons/icon_prefetch_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "db/cbar.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "icons/image_list_win.h"
#include "icon_pixels_win.h"
#include "support/scratch_folder.h"

namespace {

struct Seen {
  std::mutex mutex;
  std::vector<DWORD> lookUpThreads;
  std::atomic<int> stamps{0};
};

// The real look-up, noting its thread; a stamp that turns after `turnAfter`
// calls, as a file written meanwhile would.
IconProbes Probes(const std::shared_ptr<Seen>& seen, const std::string& folder, int turnAfter) {
  IconProbes probes;
  probes.slow = [](const std::string&) { return false; };
  probes.stamp = [seen, turnAfter](const std::string&) {
    const uint64_t time = ++seen->stamps > turnAfter ? 2 : 1;
    return IconStamp{IconStampKind::kFile, 1, time, 0};
  };
  probes.lookUp = [seen, folder](const std::string& file, int32_t index, IconSizes sizes, IconSides sides) {
    {
      std::lock_guard<std::mutex> lock(seen->mutex);
      seen->lookUpThreads.push_back(::GetCurrentThreadId());
    }
    return LookUpIconImages(file, index, folder, sizes, sides);
  };
  return probes;
}

std::vector<IconPicture> Pictures(HIMAGELIST list) {
  std::vector<IconPicture> out;
  for (int i = 0; i < ::ImageList_GetImageCount(list); ++i) {
    UniqueIcon icon(::ImageList_GetIcon(list, i, ILD_NORMAL));
    out.push_back(DrawIcon(icon.Get()));
  }
  return out;
}

struct PrefetchCase {
  const char* name;
  int turnAfter;    // stamps asked before the file "changes"
  int lookUps;      // in all, the worker's counted
  int byTheBuild;   // of them on this thread
};

class IconPrefetchTest : public testing::TestWithParam<PrefetchCase> {};

TEST_P(IconPrefetchTest, TheBuildTakesTheWorkersAnswers) {
  const PrefetchCase& row = GetParam();
  ScratchFolder program;
  CDB db;
  db.SetProgramFolder(program.Path());
  ASSERT_EQ(db.AddBar("two of one icon"), 0);
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  for (int i = 0; i < 2; ++i) {
    ButtonSpec button;
    button.Name = button.Target = button.IconFile = std::string(windows) + "\\notepad.exe";
    button.Kind = kFile;
    ASSERT_EQ(db.AddButton(button), 1);
  }
  auto seen = std::make_shared<Seen>();
  ButtonIconCache cache(program.Path(), Probes(seen, program.Path(), row.turnAfter));
  ButtonImageLists lists(&cache);
  cache.Prefetch(*db.Bar(0), false, {});
  ASSERT_EQ(lists.Build(db, 0, false), 1);

  EXPECT_EQ(cache.LookUps(), row.lookUps);
  ASSERT_EQ(static_cast<int>(seen->lookUpThreads.size()), row.lookUps);
  EXPECT_NE(seen->lookUpThreads[0], ::GetCurrentThreadId()) << "the first look-up is the worker's";
  int here = 0;
  for (DWORD thread : seen->lookUpThreads) here += thread == ::GetCurrentThreadId() ? 1 : 0;
  EXPECT_EQ(here, row.byTheBuild);
  ButtonImageLists shell(nullptr);
  ASSERT_EQ(shell.Build(db, 0, false), 1);
  EXPECT_EQ(Pictures(lists.Small()), Pictures(shell.Small()));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IconPrefetchTest,
    testing::Values(PrefetchCase{"SteadyFile", 1000, 1, 0},
                    // The prefetch stamped both buttons; the build's first stamp differs.
                    PrefetchCase{"ChangedAfterItWasStamped", 2, 2, 1}),
    [](const testing::TestParamInfo<PrefetchCase>& info) { return info.param.name; });

}  // namespace
