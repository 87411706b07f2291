// The manager's two icon boxes (beside the target and beside "Change the
// icon..."), each holding its own large icon until it is replaced, and the
// small icons of its tree. The icons of bars and buttons come from the icon
// cache the bar window hands down when it holds them as they are now, else
// from the shell; the manager adds nothing to the cache (the images of every
// button of every bar would swell the file each start reads).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/handles_win.h"

class ButtonIconCache;

class ManagerIconBoxes {
 public:
  // `cache` may be null: every icon from the shell.
  explicit ManagerIconBoxes(ButtonIconCache* cache) : cache_(cache) {}
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

  ButtonIconCache* cache_;
  HWND upper_ = nullptr;
  HWND lower_ = nullptr;
  UniqueIcon upperIcon_;
  UniqueIcon lowerIcon_;
};

// The small icon the tree shows for a bar's or button's icon file and index;
// null when there is none.
UniqueIcon ManagerTreeIcon(ButtonIconCache* cache, const std::string& iconFile, int32_t iconIndex,
                           const std::string& programFolder);
