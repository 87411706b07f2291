// The buttons manager's tool bar: eight buttons from bitmap 220 (32 x 31
// pictures at 96 DPI, drawn larger at a larger display scale), with tips from
// the string table entry of each command.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "editing/manager/manager_toolbar_layout.h"
#include "platform/handles_win.h"

class ManagerToolbar {
 public:
  ManagerToolbar() = default;
  ManagerToolbar(const ManagerToolbar&) = delete;
  ManagerToolbar& operator=(const ManagerToolbar&) = delete;

  static constexpr int kButtonCount = 8;

  // Creates the tool bar in `dialog` with the place and sizes of `layout`.
  // False when the window could not be made.
  bool Create(HWND dialog, const ManagerToolbarLayout& layout);
  // Moves the tool bar and draws its pictures at the sizes of `layout` (the
  // manager moved to a display of another scale).
  void Rescale(const ManagerToolbarLayout& layout);
  HWND Hwnd() const { return hwnd_; }

  // The tip of a command: its string-table entry cut to 80 characters; empty
  // when the table has none (the eighth button).
  static std::string TipText(int commandId);
  // Fills a tip request (TTN_GETDISPINFOA or W) for one of the buttons; false
  // for any other notification.
  static bool FillTip(NMHDR* hdr);

 private:
  // The pictures of drawing `bitmap` at `image` pixels each, as the tool
  // bar's image list.
  void LoadPictures(Size image, int bitmap);

  HWND hwnd_ = nullptr;  // a child of the dialog, destroyed with it
  // The buttons' images; the tool bar shows them but does not own them, so the
  // dialog's window has to go first.
  UniqueImageList images_;
};
