// The first frame's icons looked up on a worker while the window is made: the
// build takes the answers without asking the shell again (one look-up for two
// buttons of one icon), and not an answer whose file changed after it was
// stamped.
#include "icons/icon_prefetch_win.h"

#include <gtest/gtest.h>

#include <algorithm>
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

struct PrefetchCase {
  const char* name;
  int stampsBeforeChange;  // the file "changes" after this many stamps
  int byTheBuild;          // look-ups the build makes itself, after the worker's one
};

class IconPrefetchTest : public testing::TestWithParam<PrefetchCase> {};

TEST_P(IconPrefetchTest, TheBuildTakesTheWorkersAnswers) {
  ScratchFolder program;
  CDB db;
  db.SetProgramFolder(program.Path());
  ASSERT_EQ(db.AddBar("two of one icon"), 0);
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  ButtonSpec button;
  button.Name = button.Target = button.IconFile = std::string(windows) + "\\notepad.exe";
  button.Kind = kFile;
  ASSERT_EQ(db.AddButton(button), 1);
  ASSERT_EQ(db.AddButton(button), 1);

  auto threads = std::make_shared<std::vector<DWORD>>();
  auto mutex = std::make_shared<std::mutex>();
  auto stamps = std::make_shared<std::atomic<int>>(0);
  IconProbes probes;
  probes.slow = [](const std::string&) { return false; };
  probes.stamp = [stamps, change = GetParam().stampsBeforeChange](const std::string&) {
    return IconStamp{IconStampKind::kFile, 1, ++*stamps > change ? 2u : 1u, 0};
  };
  probes.lookUp = [=, folder = program.Path()](const std::string& file, int32_t index, IconSizes sizes,
                                               IconSides sides) {
    std::lock_guard<std::mutex> lock(*mutex);
    threads->push_back(::GetCurrentThreadId());
    return LookUpIconImages(file, index, folder, sizes, sides);
  };
  ButtonIconCache cache(program.Path(), probes);
  ButtonImageLists lists(&cache);
  cache.Prefetch(*db.Bar(0), false, {});
  ASSERT_EQ(lists.Build(db, 0, false), 1);

  ASSERT_EQ(cache.LookUps(), 1 + GetParam().byTheBuild);
  EXPECT_NE(threads->at(0), ::GetCurrentThreadId()) << "the first look-up is the worker's";
  EXPECT_EQ(std::count(threads->begin(), threads->end(), ::GetCurrentThreadId()), GetParam().byTheBuild);
  ButtonImageLists plain(nullptr);  // no cache: the shell as always
  ASSERT_EQ(plain.Build(db, 0, false), 1);
  UniqueIcon shown(::ImageList_GetIcon(lists.Small(), 1, ILD_NORMAL));
  UniqueIcon asAlways(::ImageList_GetIcon(plain.Small(), 1, ILD_NORMAL));
  EXPECT_EQ(DrawIcon(shown.Get()), DrawIcon(asAlways.Get()));
}

INSTANTIATE_TEST_SUITE_P(Rows, IconPrefetchTest,
                         testing::Values(PrefetchCase{"SteadyFile", 1000, 0},
                                         // The prefetch stamped both buttons; the build's stamps differ.
                                         PrefetchCase{"ChangedAfterItWasStamped", 2, 1}),
                         [](const testing::TestParamInfo<PrefetchCase>& info) { return info.param.name; });

}  // namespace
