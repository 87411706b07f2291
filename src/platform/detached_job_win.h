// One job at a time on a worker thread that nobody ever waits for: the checks
// of removable and network places after the bar's first paint (targets and
// icons), where a disconnected share or an empty drive may stall a call for as
// long as the system likes.
//
// The job runs on a detached thread and, unless abandoned, one message is
// posted to the window when it returns, with the run's id as wParam (never 0,
// and unique among all jobs of the process). A post that fails ends the run.
// The job keeps what it shares with its owner (its results) in its own
// captures, so they live as long as either side needs them. Abandoning, and
// destroying the object, never wait: the worker is only told that nobody wants
// its results, may stop early, and posts nothing. The process may end while a
// worker still runs.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

class DetachedJob {
 public:
  // The work; it may look at `abandoned` between steps to stop early.
  using Job = std::function<void(const std::atomic<bool>& abandoned)>;

  DetachedJob() = default;
  ~DetachedJob();
  DetachedJob(const DetachedJob&) = delete;
  DetachedJob& operator=(const DetachedJob&) = delete;

  // Runs `job` on a new thread and posts `message` to `window` when it is
  // done. A run still going is abandoned first. False when no thread could be
  // started (the job then never runs).
  bool Start(Job job, HWND window, UINT message);
  // A run was started and is neither finished nor abandoned. A run whose
  // message could not be posted (the window gone, its queue full) has ended
  // without an answer: it is over, and the next Start need not abandon it.
  bool Running();
  // For the posted message: true once, when `id` names the current run and
  // its job has returned; what the job left in its results is then the
  // caller's to read. False for a message of an abandoned or finished run.
  bool Finish(WPARAM id);
  // Nobody wants the current run's results: it posts nothing.
  void Abandon();

 private:
  struct Run;
  // The thread's entry; takes over a heap copy of the run's pointer.
  static unsigned __stdcall ThreadBody(void* owned);
  static void Work(const std::shared_ptr<Run>& run);

  std::shared_ptr<Run> run_;
};
