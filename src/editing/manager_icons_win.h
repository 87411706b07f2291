// The manager's two icon boxes (beside the target and beside "Change the
// icon..."), each holding its own large icon until it is replaced.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles_win.h"

class ManagerIconBoxes {
 public:
  void Attach(HWND upper, HWND lower) {
    upper_ = upper;
    lower_ = lower;
  }
  // The large icon of a button's or bar's icon file and index.
  void ShowButtonIcon(const std::string& iconFile, int iconIndex, const std::string& programFolder);
  // The large icon the shell shows for a file.
  void ShowShellIcon(const std::string& path);
  void Clear();
  HICON Upper() const { return upperIcon_.Get(); }
  HICON Lower() const { return lowerIcon_.Get(); }

 private:
  void Show(UniqueIcon icon);

  HWND upper_ = nullptr;
  HWND lower_ = nullptr;
  UniqueIcon upperIcon_;
  UniqueIcon lowerIcon_;
};
