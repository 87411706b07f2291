#include "db/target_check_win.h"

#include <utility>
#include <vector>

#include "db/cdb.h"
#include "platform/file_ops_win.h"

DeferredTargetChecks::DeferredTargetChecks()
    : DeferredTargetChecks([](const std::string& path) {
        // Stateless, and its error mode is this thread's own.
        WinFileOps files;
        return files.Exists(path);
      }) {}

DeferredTargetChecks::DeferredTargetChecks(Probe probe) : probe_(std::move(probe)) {}

bool DeferredTargetChecks::Start(const DeferredTargets& targets, HWND window, UINT message) {
  job_.Abandon();
  answers_.reset();
  if (targets.Empty()) return false;
  auto answers = std::make_shared<TargetAnswers>();
  answers->Load = targets.Generation();
  // The worker gets copies only: the paths and the probe.
  auto job = [answers, probe = probe_, paths = targets.Paths()](const std::atomic<bool>& abandoned) {
    for (const std::string& path : paths) {
      if (abandoned) return;
      if (!probe(path)) answers->Missing.push_back(path);
    }
  };
  if (!job_.Start(std::move(job), window, message)) return false;
  answers_ = std::move(answers);
  return true;
}

std::optional<TargetAnswers> DeferredTargetChecks::Take(WPARAM wParam) {
  if (!answers_ || !job_.Finish(wParam)) return std::nullopt;
  TargetAnswers answers = std::move(*answers_);
  answers_.reset();
  return answers;
}

bool DeferredTargetChecks::Apply(CDB& db, WPARAM wParam) {
  const std::optional<TargetAnswers> answers = Take(wParam);
  return answers && db.ApplyTargetAnswers(*answers);
}
