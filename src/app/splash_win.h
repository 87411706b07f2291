// The splash picture shown at start-up: a borderless popup of the size of the
// splash bitmap, centred on the bar's monitor, that goes away by its own timer
// and by nothing else.
#pragma once

#include <functional>

#include "platform/geometry.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"

class SplashWindow : public Window {
 public:
  // Shows the splash for `milliseconds`. A request while one is shown is ignored.
  // Returns false when nothing could be shown.
  // `onEnd` runs when the splash has gone (the window it covered repaints).
  // It is centred in `monitor`, the rectangle of the monitor the bar docks on.
  static bool Show(unsigned milliseconds, std::function<void()> onEnd, const Rect& monitor);
  static bool IsShown();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnFinalDestroy() override;

 private:
  SplashWindow() = default;
  UniqueBitmap bitmap_;
  std::function<void()> onEnd_;
  int width_ = 0;
  int height_ = 0;
};
