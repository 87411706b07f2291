// Exceptions stop at the system's callbacks: a window procedure or a worker
// that throws is reported once and the program goes on.
#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/detached_job_win.h"
#include "platform/exception_barrier.h"
#include "platform/window_win.h"
#include "support/message_window_win.h"
#include "support/pump_messages_win.h"

namespace {

constexpr UINT kThrowBadAlloc = WM_APP + 1;
constexpr UINT kThrowOther = WM_APP + 2;
constexpr UINT kAnswer = WM_APP + 3;

class ThrowingWindow : public Window {
 public:
  ~ThrowingWindow() override { Destroy(); }
  bool throwOnDestroy = false;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case kThrowBadAlloc: throw std::bad_alloc();
      case kThrowOther: throw 7;
      case kAnswer: return 42;
      case WM_DESTROY:
        if (throwOnDestroy) throw std::runtime_error("destroy");
        break;
    }
    return DefaultProc(msg, wp, lp);
  }
};

class BarrierWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCaughtReporter([this](const std::string& where, const std::string& what) { reports.push_back(where + ": " + what); });
  }
  void TearDown() override { SetCaughtReporter(nullptr); }
  std::vector<std::string> reports;
};

// The only tests of this program that throw, in one test so the order of the
// counts is fixed: the first catch of the process is reported, the rest counted.
TEST_F(BarrierWinTest, AThrowingWindowProcedureAnswersAndTheWindowGoesOn) {
  ASSERT_EQ(0, CaughtCount());
  ThrowingWindow window;
  ASSERT_TRUE(window.Create("QrThrowingWindow", "", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr));
  const HWND hwnd = window.Hwnd();

  struct Step {
    UINT message;
    LRESULT answer;
  } steps[] = {{kThrowBadAlloc, 0}, {kAnswer, 42}, {kThrowOther, 0}, {kAnswer, 42}};
  for (const Step& step : steps) EXPECT_EQ(::SendMessageA(hwnd, step.message, 0, 0), step.answer) << step.message;
  EXPECT_EQ(2, CaughtCount());
  ASSERT_EQ(1u, reports.size());
  EXPECT_EQ("window procedure: std::bad_alloc", reports[0]);

  // A throw while the window goes does not keep the object bound to it.
  window.throwOnDestroy = true;
  window.Destroy();
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(nullptr, window.Hwnd());
  EXPECT_EQ(3, CaughtCount());

  // A worker whose job throws still tells its owner that the run ended.
  constexpr UINT kDone = WM_APP + 9;
  std::vector<WPARAM> finished;
  DetachedJob job;
  MessageWindow owner(kDone, [&](WPARAM id) {
    if (job.Finish(id)) finished.push_back(id);
  });
  std::atomic<bool> started{false};
  ASSERT_TRUE(job.Start([&](const std::atomic<bool>&) {
    started = true;
    throw std::runtime_error("worker");
  }, owner.Hwnd(), kDone));
  PumpMessages(10000, [&] { return !finished.empty(); });
  EXPECT_TRUE(started);
  EXPECT_EQ(1u, finished.size());
  EXPECT_EQ(4, CaughtCount());
  EXPECT_EQ(1u, reports.size());
}

}  // namespace
