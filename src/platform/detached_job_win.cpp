#include "platform/detached_job_win.h"

#include <process.h>

#include <mutex>
#include <utility>

#include "platform/exception_barrier.h"

// What the worker and the object share. The worker holds it until it ends,
// so it outlives the object when the object goes first.
struct DetachedJob::Run {
  Job job;
  HWND window = nullptr;
  UINT message = 0;
  WPARAM id = 0;

  std::atomic<bool> abandoned{false};
  std::mutex mutex;  // `done` and `lost`, and the post against Abandon
  bool done = false;
  bool lost = false;  // the job returned, but its message could not be posted
};

namespace {

// Run ids are unique in the process, so that several jobs may post the same
// message to one window and each message still names its own run.
std::atomic<WPARAM> g_runs{0};

}  // namespace

DetachedJob::~DetachedJob() { Abandon(); }

void DetachedJob::Abandon() {
  if (!run_) return;
  {
    std::lock_guard<std::mutex> lock(run_->mutex);
    run_->abandoned = true;
  }
  run_.reset();
}

bool DetachedJob::Start(Job job, HWND window, UINT message) {
  Abandon();
  auto run = std::make_shared<Run>();
  run->job = std::move(job);
  run->window = window;
  run->message = message;
  run->id = ++g_runs;
  if (run->id == 0) run->id = ++g_runs;  // 0 names no run
  // A thread of the system's own, whose handle is closed at once: the
  // threads library's detach, called for a thread that has already ended,
  // can hand its bookkeeping to two later threads, which then run one job
  // twice and another never (the lost answer of a second start in a row).
  auto* owned = new std::shared_ptr<Run>(run);
  const uintptr_t thread = ::_beginthreadex(nullptr, 0, &DetachedJob::ThreadBody, owned, 0, nullptr);
  if (thread == 0) {
    delete owned;
    return false;
  }
  ::CloseHandle(reinterpret_cast<HANDLE>(thread));
  run_ = std::move(run);
  return true;
}

unsigned __stdcall DetachedJob::ThreadBody(void* owned) {
  const std::unique_ptr<std::shared_ptr<Run>> run(static_cast<std::shared_ptr<Run>*>(owned));
  Work(*run);
  return 0;
}

bool DetachedJob::Running() {
  if (!run_) return false;
  {
    std::lock_guard<std::mutex> lock(run_->mutex);
    if (!run_->lost) return true;
  }
  run_.reset();  // no message will ever name it
  return false;
}

bool DetachedJob::Finish(WPARAM id) {
  if (!run_ || id != run_->id) return false;
  {
    // Taking the lock also makes everything the job wrote before it set
    // `done` visible to this thread.
    std::lock_guard<std::mutex> lock(run_->mutex);
    if (!run_->done) return false;
  }
  run_.reset();
  return true;
}

void DetachedJob::Work(const std::shared_ptr<Run>& run) {
  // A thread body is a boundary: what the job throws stops here, and the
  // owner is still told the run ended, with what the job had found by then.
  GuardedVoid("background job", [&] { run->job(run->abandoned); });
  // Posted under the lock: once Abandon has set the mark, nothing is posted.
  std::lock_guard<std::mutex> lock(run->mutex);
  if (run->abandoned) return;
  run->done = true;
  if (!::PostMessageA(run->window, run->message, run->id, 0)) run->lost = true;
}
