// The icon cache file on Windows (format in icon_cache.h), and how the bar
// window's image lists draw from it.
//
// While the bar starts, the lists get only what the first frame shows: the
// images of the shown icon size, from the cache where the entry still matches
// the file system, from the shell where it does not. Paths on removable drives
// and network shares are not touched: their cached image (or a blank one) is
// shown. After the first paint FinishStartup checks those paths, fills the
// list of the other size, and writes the cache file when it changed. After
// that every build completes at once.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "db/icon_cache.h"
#include "db/image_list.h"
#include "platform/handles_win.h"

class CDB;

// One image of the size `side` as an image list of that size would hold the
// icon; an empty image for no icon.
IconImage CaptureIconImage(HICON icon, int32_t side);

// The bitmaps of a captured image, as ImageList_Add takes them; both null for
// an empty image.
struct ImageBitmaps {
  UniqueBitmap colour;
  UniqueBitmap mask;
};
ImageBitmaps MakeImageBitmaps(const IconImage& image);

// Appends an icon to an image list of `side` pixels: the image
// ImageList_ReplaceIcon would make, without drawing the icon (which under Wine
// costs milliseconds per icon). Its position, or -1.
int AppendIconImage(HIMAGELIST list, HICON icon, int32_t side);

class ButtonIconCache {
 public:
  explicit ButtonIconCache(std::string programFolder);
  ButtonIconCache(const ButtonIconCache&) = delete;
  ButtonIconCache& operator=(const ButtonIconCache&) = delete;

  // Reads the cache file in one read. A missing, damaged or foreign file gives
  // an empty cache, which the next write replaces. True when the file was whole.
  bool Load();
  // Keeps the entries of the icons the database's buttons name and writes the
  // file when it changed. True when the file holds the cache.
  bool Save(const CDB& db);
  const IconCacheTable& Table() const { return table_; }
  std::string FilePath() const;

  // Appends one button's images to the two lists (the one drawn from, chosen
  // by `largeShown`, and the other) and returns their positions.
  ImagePositions Append(HIMAGELIST small, HIMAGELIST large, bool largeShown, const std::string& iconFile,
                        int32_t iconIndex);
  // The lists are about to be destroyed: nothing is left to do on them.
  void ForgetLists(HIMAGELIST small, HIMAGELIST large);

  bool Starting() const { return starting_; }
  // The work left from the start, run once after the first paint. True when
  // an image of the drawn list changed (the toolbar is to be repainted).
  bool FinishStartup(const CDB& db);

  // Shell look-ups made through this cache so far (for tests and the benchmark).
  int LookUps() const { return lookUps_; }

 private:
  struct Deferred {
    IconKey key;
    std::string iconFile;
    int32_t iconIndex = 0;
    int shownPosition = -1;
    bool check = false;  // a removable or network path: check it now
  };

  // The stamp of the path now; nullopt for a removable or network path while
  // such paths must not be touched.
  std::optional<IconStamp> StampNow(const std::string& iconFile, bool mayTouchSlowPaths);
  // The drive's type, asked once per letter.
  UINT DriveType(char letter);
  bool SlowPath(const std::string& fullPath);
  // Looks the icon up through the shell and keeps its images under `key`.
  const CachedIcon& LookUp(const IconKey& key, const std::string& iconFile, int32_t iconIndex,
                           const IconStamp& stamp);
  static int AppendImage(HIMAGELIST list, const IconImage& image);

  std::string programFolder_;
  IconCacheTable table_;
  bool starting_ = true;
  int lookUps_ = 0;
  std::map<char, UINT> driveTypes_;

  // The lists of the build made while starting, and what is left to do on them.
  HIMAGELIST small_ = nullptr;
  HIMAGELIST large_ = nullptr;
  bool largeShown_ = false;
  std::vector<Deferred> deferred_;
};

// The cache the bar window's image lists use in this run: start-up makes it
// and sets it for the run (one at a time); without one (tests, tools) every
// build asks the shell as before.
class IconCacheInUse {
 public:
  explicit IconCacheInUse(ButtonIconCache& cache);
  ~IconCacheInUse();
  IconCacheInUse(const IconCacheInUse&) = delete;
  IconCacheInUse& operator=(const IconCacheInUse&) = delete;
};
ButtonIconCache* IconCacheForImageLists();
