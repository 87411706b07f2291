// The manager's two icon boxes (beside the target and beside "Change the
// icon..."), each holding its own large icon until it is replaced, and the
// small icons of its tree, both at the manager's display scale. The icons of
// bars and buttons come from the icon cache the bar window hands down when it
// holds them as they are now, else from the shell; the manager adds nothing
// to the cache (the images of every button of every bar would swell the file
// each start reads).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/display_scale.h"
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
  // The scale the boxes draw at; what they show is drawn again at it.
  void SetDpi(int dpi);
  // The large icon of a button's or bar's icon file and index.
  void ShowButtonIcon(const std::string& iconFile, int iconIndex, const std::string& programFolder);
  // The large icon the shell shows for a file.
  void ShowShellIcon(const std::string& path);
  void Clear();
  HICON Upper() const { return upperIcon_.Get(); }
  HICON Lower() const { return lowerIcon_.Get(); }

 private:
  enum class Source { kNone, kButton, kShell };
  void Show(UniqueIcon icon);
  void ShowSource();

  ButtonIconCache* cache_;
  int dpi_ = kBaseDpi;
  HWND upper_ = nullptr;
  HWND lower_ = nullptr;
  UniqueIcon upperIcon_;
  UniqueIcon lowerIcon_;
  // What the boxes show, to draw it again at another scale.
  Source source_ = Source::kNone;
  std::string file_;
  int index_ = 0;
  std::string programFolder_;
};

// The small icon the tree shows for a bar's or button's icon file and index
// at `dpi`; null when there is none.
UniqueIcon ManagerTreeIcon(ButtonIconCache* cache, const std::string& iconFile, int32_t iconIndex,
                           const std::string& programFolder, int dpi = kBaseDpi);

// `icon` when it is `side` pixels square; else a copy the system draws at that
// side (a source that offers no image of the size), so that a box or list of
// that side never shows it small or cut. Null stays null.
UniqueIcon IconOfSide(UniqueIcon icon, int side);
// The width of an icon's image; 0 for none.
int IconWidth(HICON icon);
