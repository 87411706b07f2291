// The bar window when the user starts the program again while it runs: the
// other start has ended its own run before reading anything and asks this bar
// to come forward instead.
#include "barwnd/window/another_start.h"
#include "barwnd/window/bar_window_win.h"
#include "platform/registered_messages_win.h"

bool BarWindow::OnAnotherStart(UINT msg, WPARAM wp, INT_PTR& result) {
  if (msg == 0 || msg != AppBarNotifyMessage() || wp != kAnotherStartCode) return false;
  result = kAnotherStartHeard;
  // A bar that is not docked (still starting, refused by the shell, or leaving
  // at a logoff) has nothing to show; the other start ends all the same.
  if (!docked_ || appBar_.State().ending) return true;
  // An open dialog of the bar comes to the front instead; it keeps the bar out.
  if (BringOpenDialogForward()) return true;
  // In front while the other start, which the user has just started, still
  // lets this process take the foreground: activation slides an autohidden
  // bar out, as its hot key does.
  ::SetForegroundWindow(Hwnd());
  // The other start waits only for this answer: it may end while the bar slides.
  ::ReplyMessage(kAnotherStartHeard);
  appBar_.Slide(true);
  forwardHeld_ = true;
  ::SetTimer(Hwnd(), kForwardHoldTimerId, kForwardHoldMilliseconds, nullptr);
  return true;
}

// The moment is over: the next autohide check collapses a bar the mouse is away from.
void BarWindow::EndForwardHold() {
  ::KillTimer(Hwnd(), kForwardHoldTimerId);
  forwardHeld_ = false;
}
