// Checks the targets the start-up load left unasked (see target_check.h) on a
// worker thread, so that a stalled share or an empty drive never holds up the
// bar. The worker gets a copy of the paths, never the database; it posts one
// message to the window when it is done, and the window's thread applies the
// answers.
//
// Ending never waits for the worker: a check may hang on a dead share for as
// long as the system likes. The worker is a DetachedJob: the object only tells
// it that nobody wants its answers, and it posts nothing once told.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/detached_job_win.h"
#include "db/target_check.h"

class CDB;

class DeferredTargetChecks {
 public:
  // Whether something is at the path; runs on the worker thread.
  using Probe = std::function<bool(const std::string& path)>;

  // Asks the file system (without the system's error boxes).
  DeferredTargetChecks();
  explicit DeferredTargetChecks(Probe probe);
  DeferredTargetChecks(const DeferredTargetChecks&) = delete;
  DeferredTargetChecks& operator=(const DeferredTargetChecks&) = delete;

  // Starts a worker over the listed paths (CDB::SlowTargets() after the
  // start-up load); when it is done it posts `message` to `window` with a
  // wParam that Apply knows. False when there is nothing to check or no thread
  // could be started (the buttons then keep their stored flag). A run still
  // going is abandoned.
  bool Start(const DeferredTargets& targets, HWND window, UINT message);
  // For the posted message: the answers of the run it names, once; nothing
  // for a message of an abandoned or already answered run.
  std::optional<TargetAnswers> Take(WPARAM wParam);
  // Take, then CDB::ApplyTargetAnswers. True when a shown button was hidden
  // (the bar is to rebuild its buttons).
  bool Apply(CDB& db, WPARAM wParam);

 private:
  Probe probe_;
  DetachedJob job_;
  // Filled by the run's worker; read once DetachedJob::Finish says it is done.
  std::shared_ptr<TargetAnswers> answers_;
};
