// The buttons manager's tool bar: eight 32 x 31 buttons from bitmap 220, with
// tips from the string table entry of each command.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/handles_win.h"

class ManagerToolbar {
 public:
  ManagerToolbar() = default;
  ManagerToolbar(const ManagerToolbar&) = delete;
  ManagerToolbar& operator=(const ManagerToolbar&) = delete;

  // Image and button sizes; a button is its image plus 7 pixels each way.
  static constexpr int kImageWidth = 32;
  static constexpr int kImageHeight = 31;
  static constexpr int kButtonCount = 8;

  // Creates the tool bar in `dialog` at the given place (pixels, client
  // coordinates). False when the window could not be made.
  bool Create(HWND dialog, int x, int y, int width, int height);
  HWND Hwnd() const { return hwnd_; }

  // The tip of a command: its string-table entry cut to 80 characters; empty
  // when the table has none (the eighth button).
  static std::string TipText(int commandId);
  // Fills a tip request (TTN_GETDISPINFOA or W) for one of the buttons; false
  // for any other notification.
  static bool FillTip(NMHDR* hdr);

 private:
  HWND hwnd_ = nullptr;  // a child of the dialog, destroyed with it
  // The buttons' images; the tool bar shows them but does not own them, so the
  // dialog's window has to go first.
  UniqueImageList images_;
};
