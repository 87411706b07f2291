// Icons on removable drives and network paths under the real shell and image
// lists, with a folder of the scratch folder called slow: the window's thread
// never stamps or looks them up, the worker's answer lands in the lists still
// in use and in the file, each icon is checked once per run by one worker at
// a time, and a hung worker holds up nothing.
#include "icons/icon_check_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "icons/button_icon_win.h"
#include "db/cbar.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "icons/image_list_win.h"
#include "icon_pixels_win.h"
#include "platform/handles_win.h"
#include "support/message_window_win.h"
#include "support/pump_messages_win.h"
#include "support/scratch_folder.h"

namespace {

constexpr UINT kAnswerMessage = WM_APP + 0x78;

std::string WindowsFolder() {
  char path[MAX_PATH] = {};
  ::GetWindowsDirectoryA(path, MAX_PATH);
  return path;
}

IconPicture ListImage(HIMAGELIST list, int index) {
  UniqueIcon icon(::ImageList_GetIcon(list, index, ILD_NORMAL));
  return DrawIcon(icon.Get());
}

// The real stamp and look-up, noting for each call the path and the thread,
// and able to hold the worker at its first stamp until released.
struct Calls {
  struct Call {
    std::string path;
    DWORD thread;
  };
  std::mutex mutex;
  std::vector<Call> calls;
  bool gated = false;
  UniqueKernelHandle entered{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  UniqueKernelHandle release{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  int running = 0;
  int mostAtOnce = 0;

  void Note(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex);
    calls.push_back({path, ::GetCurrentThreadId()});
  }
  std::vector<Call> Of(const std::string& part) {
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<Call> found;
    for (const Call& call : calls)
      if (call.path.find(part) != std::string::npos) found.push_back(call);
    return found;
  }
};

IconProbes ProbesNoting(const std::shared_ptr<Calls>& calls, const std::string& programFolder) {
  IconProbes probes;
  probes.slow = [](const std::string& full) { return full.find("\\slow\\") != std::string::npos; };
  probes.stamp = [calls](const std::string& full) {
    calls->Note(full);
    {
      std::lock_guard<std::mutex> lock(calls->mutex);
      calls->mostAtOnce = std::max(calls->mostAtOnce, ++calls->running);
    }
    if (calls->gated) {
      ::SetEvent(calls->entered.Get());
      ::WaitForSingleObject(calls->release.Get(), INFINITE);
    }
    std::lock_guard<std::mutex> lock(calls->mutex);
    --calls->running;
    return StampOfFullPath(full);
  };
  probes.lookUp = [calls, programFolder](const std::string& iconFile, int32_t iconIndex, IconSizes sizes,
                                         IconSides sides) {
    calls->Note(iconFile);
    return LookUpIconImages(iconFile, iconIndex, programFolder, sizes, sides);
  };
  return probes;
}

class IconCheckWinTest : public testing::Test {
 protected:
  void SetUp() override {
    db_.SetProgramFolder(program_.Path());
    program_.MakeFolder("slow");
    ASSERT_EQ(db_.AddBar("mixed"), 0);
    ASSERT_TRUE(::CopyFileA((WindowsFolder() + "\\notepad.exe").c_str(), Local().c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA((WindowsFolder() + "\\regedit.exe").c_str(), Slow().c_str(), FALSE));
    Add(Local());
    Add(Slow());
  }

  std::string Local() const { return program_.File("tool.exe"); }
  std::string Slow() const { return program_.File("slow\\shared.exe"); }

  void Add(const std::string& target, int32_t index = 0) {
    ButtonSpec request;
    request.Name = request.Target = request.IconFile = target;
    request.IconIndex = index;
    request.Kind = kFile;
    ASSERT_EQ(db_.AddButton(request), 1);
  }

  // The shell's image of the slow icon, as a list of that size holds it.
  IconPicture ShellImage(bool large, int32_t index = 0) {
    ButtonIcons icons = GetButtonIconOrGeneric(Slow(), index, program_.Path());
    UniqueImageList list(::ImageList_Create(large ? 32 : 16, large ? 32 : 16, ILC_COLOR32 | ILC_MASK, 1, 0));
    AppendIconImage(list.Get(), (large ? icons.Large : icons.Small).Get(), large ? 32 : 16);
    return ListImage(list.Get(), 0);
  }

  // No call about the slow folder on this thread.
  void ExpectNoSlowCallHere() {
    for (const Calls::Call& call : calls_->Of("\\slow\\")) EXPECT_NE(call.thread, ::GetCurrentThreadId()) << call.path;
  }

  // Pumps until the cache has taken `lookUps` look-ups in all.
  void PumpUntil(ButtonIconCache& cache, int lookUps) {
    PumpMessages(10000, [&] { return cache.LookUps() >= lookUps; });
    ASSERT_EQ(cache.LookUps(), lookUps);
  }

  ScratchFolder program_;
  CDB db_;
  std::shared_ptr<Calls> calls_ = std::make_shared<Calls>();
};

TEST_F(IconCheckWinTest, TheWorkerChecksSlowIconsAndItsAnswerReachesListsAndFile) {
  ButtonIconCache cache(program_.Path(), ProbesNoting(calls_, program_.Path()));
  cache.Load();
  MessageWindow window(kAnswerMessage, [&](WPARAM wp) { cache.OnCheckMessage(db_, wp); });

  ButtonImageLists lists(&cache);
  ASSERT_EQ(lists.Build(db_, 0, false), 1);  // while starting: the local icon at the drawn size only
  EXPECT_NE(ListImage(lists.Small(), 1), ShellImage(false)) << "a blank until the check";
  cache.SetWindow(window.Hwnd(), kAnswerMessage);
  cache.FinishStartup(db_);
  // The worker may already be asking; this thread never does.
  ExpectNoSlowCallHere();
  PumpUntil(cache, 3);  // local: small, then large; slow: one look-up of both sizes

  ExpectNoSlowCallHere();
  EXPECT_EQ(calls_->Of("\\slow\\").size(), 2u) << "one stamp, one look-up";
  EXPECT_EQ(ListImage(lists.Small(), 1), ShellImage(false));
  EXPECT_EQ(ListImage(lists.Large(), 1), ShellImage(true));
  ButtonIconCache reread(program_.Path());
  ASSERT_TRUE(reread.Load());
  EXPECT_NE(reread.Table().Find({Slow(), 0}), nullptr);

  // Later builds take what the check found, and do not check it again.
  ButtonImageLists rebuilt(&cache);
  ASSERT_EQ(rebuilt.Build(db_, 0, true), 1);
  EXPECT_EQ(ListImage(rebuilt.Large(), 1), ShellImage(true));
  PumpMessages(200);
  EXPECT_EQ(calls_->Of("\\slow\\").size(), 2u);

  // An icon new to the run (another index of the file) is checked, and shown
  // blank until its answer.
  db_.Bar(0)->At(1)->IconIndex = 1;
  ButtonImageLists picked(&cache);
  ASSERT_EQ(picked.Build(db_, 0, true), 1);
  EXPECT_NE(ListImage(picked.Large(), 1), ShellImage(true, 1));
  PumpUntil(cache, 4);
  ExpectNoSlowCallHere();
  EXPECT_EQ(ListImage(picked.Large(), 1), ShellImage(true, 1));
}

// The worker held at its first stamp: what is asked meanwhile waits for the
// next run, and lists forgotten meanwhile are left alone.
TEST_F(IconCheckWinTest, OneWorkerAtATimeAndForgottenListsAreLeftAlone) {
  ButtonIconCache cache(program_.Path(), ProbesNoting(calls_, program_.Path()));
  MessageWindow window(kAnswerMessage, [&](WPARAM wp) { cache.OnCheckMessage(db_, wp); });
  cache.SetWindow(window.Hwnd(), kAnswerMessage);
  cache.FinishStartup(db_);
  calls_->gated = true;

  UniqueImageList small(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1));
  UniqueImageList large(::ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 1));
  const ImagePositions first = cache.Append(small.Get(), large.Get(), false, Slow(), 0);
  const IconPicture blank = ListImage(small.Get(), first.Small);
  PumpMessages(10000, [&] { return ::WaitForSingleObject(calls_->entered.Get(), 0) == WAIT_OBJECT_0; });
  ASSERT_EQ(::WaitForSingleObject(calls_->entered.Get(), 0), WAIT_OBJECT_0);
  // A second icon, asked while the first run is held.
  cache.Append(small.Get(), large.Get(), false, program_.File("slow\\other.exe"), 0);
  PumpMessages(200);
  EXPECT_EQ(calls_->Of("\\slow\\").size(), 1u);
  cache.ForgetLists(small.Get(), large.Get());

  ::SetEvent(calls_->release.Get());
  PumpUntil(cache, 2);  // both runs, one after the other
  EXPECT_EQ(calls_->mostAtOnce, 1);
  ExpectNoSlowCallHere();
  EXPECT_EQ(ListImage(small.Get(), first.Small), blank);
  ASSERT_NE(cache.Table().Find({Slow(), 0}), nullptr) << "the answer is kept all the same";
}

TEST_F(IconCheckWinTest, AHungWorkerHoldsUpNeitherTheCacheNorItsEnd) {
  calls_->gated = true;
  std::vector<WPARAM> answers;
  MessageWindow window(kAnswerMessage, [&](WPARAM wp) { answers.push_back(wp); });
  {
    ButtonIconCache cache(program_.Path(), ProbesNoting(calls_, program_.Path()));
    cache.SetWindow(window.Hwnd(), kAnswerMessage);
    cache.FinishStartup(db_);
    UniqueImageList small(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1));
    UniqueImageList large(::ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 1));
    cache.Append(small.Get(), large.Get(), false, Slow(), 0);
    cache.OnCheckMessage(db_, 0);  // the nudge, at once
    ASSERT_EQ(::WaitForSingleObject(calls_->entered.Get(), 10000), WAIT_OBJECT_0);
  }  // would never return if it waited for the worker
  ::SetEvent(calls_->release.Get());
  PumpMessages(300);
  EXPECT_EQ(std::count_if(answers.begin(), answers.end(), [](WPARAM wp) { return wp != 0; }), 0);
}

// A run whose answer could not be posted (its window is gone) has ended: its
// icons are checked by the next run instead of waiting for it for good.
TEST_F(IconCheckWinTest, ARunWhoseAnswerWasNotPostedIsRunAgain) {
  HWND gone = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(gone);
  ::DestroyWindow(gone);
  const IconProbes probes = ProbesNoting(calls_, program_.Path());
  IconChecks checks(probes.stamp, probes.lookUp);
  checks.SetWindow(gone, kAnswerMessage);
  checks.Queue().Ask({{Slow(), 0}, Slow(), 0, Slow(), std::nullopt});
  const auto noneHeld = [](const IconKey&) { return std::optional<IconStamp>(); };
  ASSERT_TRUE(checks.StartRun(noneHeld));
  bool again = false;
  for (const DWORD start = ::GetTickCount(); !again && ::GetTickCount() - start < 10000; ::Sleep(10))
    again = checks.StartRun(noneHeld);
  EXPECT_TRUE(again);
  PumpMessages(10000, [&] { return calls_->Of("\\slow\\").size() >= 4; });
  EXPECT_EQ(calls_->Of("\\slow\\").size(), 4u) << "stamp and look-up, once per run";
}

// The menus and the manager: a slow icon the cache lacks gives the generic
// stand-in at once; the menu (which keeps what it shows) has it checked.
TEST_F(IconCheckWinTest, MenusShowAStandInUntilTheWorkerAnswers) {
  ButtonIconCache cache(program_.Path(), ProbesNoting(calls_, program_.Path()));
  MessageWindow window(kAnswerMessage, [&](WPARAM wp) { cache.OnCheckMessage(db_, wp); });
  cache.SetWindow(window.Hwnd(), kAnswerMessage);
  cache.FinishStartup(db_);

  for (CacheMiss miss : {CacheMiss::kGiveNull, CacheMiss::kLookUpAndKeep}) {
    const int keep = static_cast<int>(miss);
    EXPECT_FALSE(cache.IconOf(Slow(), 0, OneIconSize::kSmall, miss)) << keep;
    UniqueIcon standIn = ButtonIconOfSize(&cache, Slow(), 0, program_.Path(), OneIconSize::kSmall, miss);
    EXPECT_TRUE(standIn) << keep;
  }
  PumpUntil(cache, 1);
  ExpectNoSlowCallHere();
  UniqueIcon kept = ButtonIconOfSize(&cache, Slow(), 0, program_.Path(), OneIconSize::kLarge, CacheMiss::kGiveNull);
  UniqueImageList list(::ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 0));
  AppendIconImage(list.Get(), kept.Get(), 32);
  EXPECT_EQ(ListImage(list.Get(), 0), ShellImage(true));
}

}  // namespace
