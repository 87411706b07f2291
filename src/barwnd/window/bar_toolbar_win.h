// A toolbar control on the bar window (the buttons toolbar and the bar-switch
// button). It keeps a solid brush of the bar's colour for the life of its window
// and paints the room around its buttons with it, so the toolbar does not stand
// out from the bar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <vector>

#include "platform/geometry.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"

class BarToolbar : public Window {
 public:
  struct Look {
    bool flat = false;
    COLORREF background = 0;
    HIMAGELIST images = nullptr;  // stays owned by the caller and must outlive the toolbar
    Size button;
    Size image;
  };

  // Creates the control as a visible child of `parent` with its buttons; false
  // when the control cannot be made.
  bool Create(HWND parent, int id, const Look& look, const std::vector<TBBUTTON>& buttons);
  void Place(const Rect& rect);
  int ButtonCount() const;
  // A new colour for the room around the buttons, painted at once.
  void SetBackground(COLORREF colour);
  // Sees every message of the control before the control does (a button
  // dragged along the bar); true when it took the message, with its result.
  using Watcher = std::function<bool(HWND toolbar, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)>;
  void Watch(Watcher watcher) { watcher_ = std::move(watcher); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnFinalDestroy() override { brush_.Reset(); }

 private:
  UniqueBrush brush_;
  Watcher watcher_;
};

// For a toolbar's owner that paints over each item once the control has drawn
// it: the answer to every custom-draw stage but an item's post-paint, where
// there is none and the owner paints.
std::optional<LRESULT> AnswerBeforeItemPostPaint(const NMCUSTOMDRAW& draw);
