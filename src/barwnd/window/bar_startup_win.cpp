#include "barwnd/window/bar_startup_win.h"

#include <utility>

#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "platform/startup_trace.h"

namespace {

constexpr UINT kStartupRestMessage = WM_APP + 0x141;
constexpr UINT kTargetAnswersMessage = WM_APP + 0x142;
constexpr UINT kIconAnswersMessage = WM_APP + 0x143;
constexpr UINT_PTR kStartupRestTimerId = 1005;
constexpr UINT kStartupRestFallbackMs = 3000;

}  // namespace

BarStartup::BarStartup(CDB& db, ButtonIconCache* icons, Steps steps)
    : db_(db), icons_(icons), steps_(std::move(steps)) {}

void BarStartup::Begin(HWND bar) {
  bar_ = bar;
  step_ = Step::kFirstFrame;
  ::SetTimer(bar_, kStartupRestTimerId, kStartupRestFallbackMs, nullptr);
}

void BarStartup::FramePainted() {
  if (step_ != Step::kFirstFrame) return;
  // The children are painted at once, so that the rest of the start comes
  // after the whole first frame.
  step_ = Step::kRestPosted;
  ::RedrawWindow(bar_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ::PostMessageA(bar_, kStartupRestMessage, 0, 0);
}

bool BarStartup::OnMessage(UINT msg, WPARAM wp) {
  if (msg == kStartupRestMessage || (msg == WM_TIMER && wp == kStartupRestTimerId)) {
    RunRest();
  } else if (msg == kTargetAnswersMessage) {
    // A missing target hides its button, as the load would have; a target
    // that came back shows its button again.
    if (targetChecks_.Apply(db_, wp)) steps_.targetsHidden();
  } else if (msg == kIconAnswersMessage) {
    OnIconAnswers(wp);
  } else {
    return false;
  }
  return true;
}

void BarStartup::Stop() {
  ::KillTimer(bar_, kStartupRestTimerId);
  step_ = Step::kDone;
}

void BarStartup::CheckTargets() { targetChecks_.Start(db_.SlowTargets(), bar_, kTargetAnswersMessage); }

void BarStartup::DrivesArrived(uint32_t unitMask) {
  // The list keeps what a check still going was asked, so starting anew
  // (which abandons that check) loses nothing.
  if (db_.ListTargetsOnDrives(unitMask) && step_ == Step::kDone && bar_) CheckTargets();
}

void BarStartup::RunRest() {
  ::KillTimer(bar_, kStartupRestTimerId);
  if (step_ == Step::kDone) return;
  step_ = Step::kDone;
  STARTUP_MARK("first frame painted");
  steps_.rest();
  // The targets on removable drives and network paths are checked beside
  // the images below, on a thread of their own.
  CheckTargets();
  // The other icon size and the file; the images of removable and network
  // paths are checked on a worker thread, whose answer comes as a message.
  if (icons_) {
    icons_->SetWindow(bar_, kIconAnswersMessage);
    icons_->FinishStartup(db_);
  }
  steps_.last();
  STARTUP_MARK("start-up complete");
}

// Icons on removable drives and network paths, checked on a worker thread.
void BarStartup::OnIconAnswers(WPARAM wp) {
  if (icons_ && icons_->OnCheckMessage(db_, wp)) steps_.iconsReplaced();
}
