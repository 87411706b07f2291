// The bar window's start, as an object of its own.
//
// The first frame needs only the window, its dock and the shown buttons; the
// rest of the start (tooltips, taking drops, tray icon, writing the settings,
// the start-up shortcut, the other icon size, the icon cache) runs once, right
// after the first paint. Should the window never be painted, a timer brings
// the rest anyway.
//
// The rest also starts the two background checks, whose answers come back to
// the bar window as messages handled here: the targets on removable drives and
// network paths that the load left unasked, and the icons on such paths,
// checked by the icon cache's worker. A volume that arrives later has the
// targets on its drives checked again the same way.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "db/target_check_win.h"

class ButtonIconCache;
class CDB;

class BarStartup {
 public:
  // What the start does on the bar window itself.
  struct Steps {
    // After the first frame, before the background checks: the window's
    // icons, the tooltips, the drop target, the tray icon, the settings file.
    std::function<void()> rest;
    // Last of all, since it may show a message box: the start-up shortcut.
    std::function<void()> last;
    // A check hid a shown button for a missing target, or showed one whose
    // target came back: the buttons are built again.
    std::function<void()> targetsHidden;
    // The icon worker replaced images of the drawn toolbar.
    std::function<void()> iconsReplaced;
  };

  // `icons` may be null (tests, tools): then no icon work is done.
  BarStartup(CDB& db, ButtonIconCache* icons, Steps steps);
  BarStartup(const BarStartup&) = delete;
  BarStartup& operator=(const BarStartup&) = delete;

  // The window exists and its first frame is being made; the fallback timer runs.
  void Begin(HWND bar);
  // The bar window has painted itself. After the first frame the children
  // are painted at once and the rest of the start is posted.
  void FramePainted();
  // True when `msg` was the start's own: the posted rest, its fallback timer,
  // or an answer of a background check.
  bool OnMessage(UINT msg, WPARAM wp);
  // The window is being destroyed: nothing of the start runs any more.
  void Stop();
  // The rest of the start has run (or will never run).
  bool Done() const { return step_ == Step::kDone; }
  // The removable and network targets of a database read again are checked
  // in the background, as after the start.
  void CheckTargets();
  // Volumes arrived on the drive letters of `unitMask` (bit 0 is A:): the
  // file targets on them are checked again in the background. Before the
  // rest of the start has run, they only join the list it checks.
  void DrivesArrived(uint32_t unitMask);

 private:
  void RunRest();
  void OnIconAnswers(WPARAM wp);

  CDB& db_;
  ButtonIconCache* icons_;
  Steps steps_;
  HWND bar_ = nullptr;
  enum class Step { kFirstFrame, kRestPosted, kDone };
  Step step_ = Step::kDone;
  DeferredTargetChecks targetChecks_;
};
