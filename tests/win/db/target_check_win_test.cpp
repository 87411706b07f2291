// The worker that checks the targets the start-up load left unasked: it asks
// the real file system, posts its answers to the window, and once abandoned it
// neither holds up its owner nor posts anything, even while a probe hangs.
#include "db/target_check_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/cd.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "support/file_ops_memory.h"
#include "support/message_window_win.h"
#include "support/pump_messages_win.h"
#include "support/scratch_folder.h"

namespace {

constexpr UINT kAnswersMessage = WM_APP + 0x77;

// A message-only window that notes the wParam of every answer posted to it.
class AnswerWindow {
 public:
  AnswerWindow() : window_(kAnswersMessage, [this](WPARAM wp) { posted_.push_back(wp); }) {}
  HWND Hwnd() const { return window_.Hwnd(); }
  const std::vector<WPARAM>& Posted() const { return posted_; }

 private:
  std::vector<WPARAM> posted_;
  MessageWindow window_;
};

// Lists the paths as a start-up load would on a drive that the test calls a
// network drive (the paths themselves are real).
class ListedPaths {
 public:
  explicit ListedPaths(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
      files_.SetDriveKind(path[0], DriveKind::kRemote);
      auto button = std::make_unique<CD>();
      button->Kind = kFile;
      button->Target = path;
      buttons_.push_back(std::move(button));
    }
    list_.DeferOnNextLoad();
    DeferredTargets* deferral = list_.BeginLoad();
    for (const auto& button : buttons_) deferral->Defer(*button, button->Target, files_);
  }
  const DeferredTargets& List() const { return list_; }

 private:
  MemoryFileSystem files_;
  std::vector<std::unique_ptr<CD>> buttons_;
  DeferredTargets list_;
};

TEST(DeferredTargetChecksTest, PostsWhichPathsAreMissing) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteBytes(folder.File("here.exe"), "MZ"));
  const std::string missing = folder.File("gone.exe");
  const std::string subfolder = folder.MakeFolder("sub");
  ListedPaths listed({folder.File("here.exe"), missing, subfolder, missing});
  ASSERT_EQ(listed.List().Paths().size(), 3u);

  AnswerWindow window;
  DeferredTargetChecks checks;
  ASSERT_TRUE(checks.Start(listed.List(), window.Hwnd(), kAnswersMessage));
  PumpMessages(10000, [&] { return !window.Posted().empty(); });
  ASSERT_EQ(window.Posted().size(), 1u);

  EXPECT_FALSE(checks.Take(window.Posted()[0] + 1)) << "a wParam of no run";
  const std::optional<TargetAnswers> answers = checks.Take(window.Posted()[0]);
  ASSERT_TRUE(answers);
  EXPECT_EQ(answers->Load, listed.List().Generation());
  EXPECT_EQ(answers->Missing, std::vector<std::string>{missing});
  EXPECT_FALSE(checks.Take(window.Posted()[0])) << "answers are taken once";
}

// A probe that hangs until the test lets it go, as a look-up on a dead share
// may: the owner goes at once and the worker, once free, posts nothing.
TEST(DeferredTargetChecksTest, AnAbandonedWorkerNeitherBlocksNorPosts) {
  struct Gates {
    UniqueKernelHandle entered{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    UniqueKernelHandle release{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  };
  auto gates = std::make_shared<Gates>();
  ScratchFolder folder;
  ListedPaths listed({folder.File("on a dead share.exe")});
  AnswerWindow window;
  {
    DeferredTargetChecks checks([gates](const std::string&) {
      ::SetEvent(gates->entered.Get());
      ::WaitForSingleObject(gates->release.Get(), INFINITE);
      return false;
    });
    ASSERT_TRUE(checks.Start(listed.List(), window.Hwnd(), kAnswersMessage));
    ASSERT_EQ(::WaitForSingleObject(gates->entered.Get(), 10000), WAIT_OBJECT_0);
  }  // would never return if it waited for the worker
  ::SetEvent(gates->release.Get());
  PumpMessages(300);
  EXPECT_TRUE(window.Posted().empty());
}

// Starting again abandons the run before: only the new run's message counts.
// The answers are taken as the window would, message by message, until the
// one that counts has come; a loaded machine may take its time.
TEST(DeferredTargetChecksTest, AnotherStartAbandonsTheRunBefore) {
  ScratchFolder folder;
  const std::string missing = folder.File("gone.exe");
  ListedPaths listed({missing});
  AnswerWindow window;
  DeferredTargetChecks checks;
  ASSERT_TRUE(checks.Start(listed.List(), window.Hwnd(), kAnswersMessage));
  ASSERT_TRUE(checks.Start(listed.List(), window.Hwnd(), kAnswersMessage));
  std::optional<TargetAnswers> answers;
  size_t seen = 0;
  PumpMessages(30000, [&] {
    for (; !answers && seen < window.Posted().size(); ++seen) answers = checks.Take(window.Posted()[seen]);
    return answers.has_value();
  });
  ASSERT_TRUE(answers);
  EXPECT_EQ(answers->Missing, std::vector<std::string>{missing});
  for (WPARAM id : window.Posted()) EXPECT_FALSE(checks.Take(id)) << "the abandoned run answers nothing";
}

TEST(WinFileOpsDriveTest, TheSystemDriveIsFixed) {
  char windows[MAX_PATH] = {};
  ASSERT_GT(::GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  WinFileOps files;
  EXPECT_EQ(files.DriveKindOf(windows[0]), DriveKind::kFixed);
}

}  // namespace
