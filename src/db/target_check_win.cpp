#include "db/target_check_win.h"

#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "db/cdb.h"
#include "platform/file_ops_win.h"

// What the worker and the object share. The worker holds it until it ends,
// so it outlives the object when the object goes first.
struct DeferredTargetChecks::Run {
  Probe probe;
  std::vector<std::string> paths;
  HWND window = nullptr;
  UINT message = 0;
  WPARAM id = 0;

  std::atomic<bool> abandoned{false};
  std::mutex mutex;  // the answers, and the post against Abandon
  bool done = false;
  TargetAnswers answers;
};

DeferredTargetChecks::DeferredTargetChecks()
    : DeferredTargetChecks([](const std::string& path) {
        // Stateless, and its error mode is this thread's own.
        WinFileOps files;
        return files.Exists(path);
      }) {}

DeferredTargetChecks::DeferredTargetChecks(Probe probe) : probe_(std::move(probe)) {}

DeferredTargetChecks::~DeferredTargetChecks() { Abandon(); }

void DeferredTargetChecks::Abandon() {
  if (!run_) return;
  {
    std::lock_guard<std::mutex> lock(run_->mutex);
    run_->abandoned = true;
  }
  run_.reset();
}

bool DeferredTargetChecks::Start(const DeferredTargets& targets, HWND window, UINT message) {
  Abandon();
  if (targets.Empty()) return false;
  auto run = std::make_shared<Run>();
  run->probe = probe_;
  run->paths = targets.Paths();
  run->window = window;
  run->message = message;
  run->id = ++runs_;
  run->answers.Load = targets.Generation();
  try {
    std::thread(&DeferredTargetChecks::Work, run).detach();
  } catch (const std::system_error&) {
    return false;
  }
  run_ = std::move(run);
  return true;
}

std::optional<TargetAnswers> DeferredTargetChecks::Take(WPARAM wParam) {
  if (!run_ || wParam != run_->id) return std::nullopt;
  TargetAnswers answers;
  {
    std::lock_guard<std::mutex> lock(run_->mutex);
    if (!run_->done) return std::nullopt;
    answers = std::move(run_->answers);
  }
  run_.reset();
  return answers;
}

bool DeferredTargetChecks::Apply(CDB& db, WPARAM wParam) {
  const std::optional<TargetAnswers> answers = Take(wParam);
  return answers && db.ApplyTargetAnswers(*answers);
}

void DeferredTargetChecks::Work(const std::shared_ptr<Run>& run) {
  std::vector<std::string> missing;
  for (const std::string& path : run->paths) {
    if (run->abandoned) return;
    if (!run->probe(path)) missing.push_back(path);
  }
  // Posted under the lock: once Abandon has set the mark, nothing is posted.
  std::lock_guard<std::mutex> lock(run->mutex);
  if (run->abandoned) return;
  run->answers.Missing = std::move(missing);
  run->done = true;
  ::PostMessageA(run->window, run->message, run->id, 0);
}
