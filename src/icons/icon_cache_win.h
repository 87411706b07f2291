// The icon cache file on Windows (format in icon_cache.h), and how the bar
// window's image lists draw from it. The class's parts live in files of their
// own: the look-ups and the lists (icon_cache_win.cpp), the file
// (icon_cache_file_win.cpp), the start-up fill (icon_cache_startup_win.cpp)
// and the hand-off to the worker (icon_cache_worker_win.cpp).
//
// Every image is of the sides of the lists it goes into (or of IconSidesAt
// the DPI a menu asks at), and is kept under those sides: an entry of
// another scale is never shown.
//
// While the bar starts, the lists get only what the first frame shows: the
// images of the shown icon size, from the cache where the entry still matches
// the file system, from the shell where it does not; the shell is then asked
// for that size only. After the first paint FinishStartup looks up the other
// size of what the start looked up, fills the list of the other size, and
// writes the cache file when it changed. After that every build completes at
// once.
//
// Paths on removable drives and network shares are never touched on the
// window's thread, neither while the bar starts nor in any later build or
// menu: a build shows their cached image (or a blank) at once and lists them
// for a check on a worker thread (icon_check_win.h), each icon once per run
// (once more when its drive arrives: RecheckDrives).
// The worker starts once the window is known (SetWindow, after the first
// paint), one at a time; its answer (OnCheckMessage) goes into the table,
// replaces the images in the lists still in use and is written to the file.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "icons/button_icon.h"
#include "icons/icon_cache.h"
#include "icons/icon_check_win.h"
#include "icons/icon_image_win.h"
#include "icons/icon_prefetch_win.h"
#include "platform/display_scale.h"
#include "icons/image_list.h"
#include "platform/drive_kinds.h"
#include "platform/handles_win.h"

class CBar;
class CDB;

// One size of an icon pair.
enum class OneIconSize { kSmall, kLarge };
// What IconOf does with a pair the cache does not hold as it is now.
enum class CacheMiss {
  kGiveNull,       // the caller asks the shell itself; the cache stays as it is
  kLookUpAndKeep,  // looked up, both sizes, and kept for the file
};

class ButtonIconCache {
 public:
  explicit ButtonIconCache(std::string programFolder);
  // With probes of the test's own; those left empty are the real ones.
  ButtonIconCache(std::string programFolder, IconProbes probes);
  ButtonIconCache(const ButtonIconCache&) = delete;
  ButtonIconCache& operator=(const ButtonIconCache&) = delete;

  // Reads the cache file in one read, its size checked first. A missing,
  // damaged, foreign or oversized file gives an empty cache, which the next
  // write replaces. True when the file was whole.
  bool Load();
  // Keeps the entries of the icons the database's bars and buttons name, at
  // the sides the bar draws (SetBarSides) only, and writes the file when it
  // changed; an entry still lacking a size is left out. True when the file
  // holds the cache.
  bool Save(const CDB& db);
  const IconCacheTable& Table() const { return table_; }
  std::string FilePath() const;

  // The icon sides of the bar's image lists: the entries of other sides are
  // not written to the file (so it does not grow with every scale seen).
  // Until it is set, entries of every side are written.
  void SetBarSides(IconSides sides) { barSides_ = sides; }

  // Appends one button's images to the two lists (the one drawn from, chosen
  // by `largeShown`, and the other) and returns their positions. The images
  // are those of the lists' own icon sides.
  ImagePositions Append(HIMAGELIST small, HIMAGELIST large, bool largeShown, const std::string& iconFile,
                        int32_t iconIndex);
  // The lists are about to be destroyed: nothing is left to do on them, and
  // an answer of the worker changes them no more.
  void ForgetLists(HIMAGELIST small, HIMAGELIST large);

  bool Starting() const { return starting_; }
  // Before the bar window is made: looks up, on a worker, the `largeShown`
  // size at `sides` of the icons of `bar`'s shown buttons that the cache does
  // not hold as they are now (local paths only). The first use of the cache
  // takes the answers (icon_prefetch_win.h).
  void Prefetch(const CBar& bar, bool largeShown, IconSides sides);
  // The work left from the start, run once after the first paint: the other
  // icon size, the removable and network paths listed for the worker, and
  // the file.
  void FinishStartup(const CDB& db);

  // Where the worker's answers go, as `message`; no worker runs before. Starts
  // a run over what is already listed.
  void SetWindow(HWND window, UINT message);
  // For `message`: starts a run when nudged (wParam 0); takes the answers of
  // a finished run into the table and the lists still in use, writes the file
  // when it changed and starts a run over what was listed meanwhile. True
  // when an image of a drawn list was replaced (the toolbar is to be
  // repainted).
  bool OnCheckMessage(const CDB& db, WPARAM wParam);

  // One size of an icon pair as an icon of its own, from the cache when it
  // holds the pair as it is now (the bar-switch menu, the buttons manager).
  // With kLookUpAndKeep a pair it does not hold is looked up, both sizes, and
  // kept; with kGiveNull the answer is null and the caller asks the shell as
  // it would without a cache (the manager shows every button of every bar,
  // whose images would swell the file that each start reads). Null too when
  // the cache has no image of that size. A removable or network path is never
  // touched: what the cache holds is given whatever its stamp; with
  // kLookUpAndKeep it is listed for the worker (once per run), and while
  // nothing is held the answer is null (see ButtonIconOfSize).
  // `dpi` is the display scale of the window that draws the icon: the image
  // has the side IconSidesAt(dpi) gives that size, and is kept under it.
  UniqueIcon IconOf(const std::string& iconFile, int32_t iconIndex, OneIconSize size, CacheMiss miss,
                    int dpi = kBaseDpi);
  // A volume arrived (`unitMask` as the device notice gives it): the icons
  // on its drives are checked again, though each was checked in this run.
  void RecheckDrives(uint32_t unitMask);
  // True for an icon on a removable drive or a network path.
  bool SlowIcon(const std::string& iconFile);
  // A device or a network connection came or went: the drives' kinds are
  // asked anew at the next look (they are kept for a moment only anyway).
  void ForgetDriveKinds() { drives_.Forget(); }

  // Shell look-ups made through this cache so far, one per icon and time
  // asked, whether for one size or both, the worker's counted as their
  // answers are taken (for tests and the benchmark).
  int LookUps() const { return lookUps_; }

 private:
  struct Deferred {
    IconKey key;
    std::string iconFile;
    int32_t iconIndex = 0;
    int shownPosition = -1;
    bool check = false;  // a removable or network path: for the worker
  };

  // The full path without the current folder's part: relative icon paths lie
  // in the program folder.
  static std::string FullPathOf(const std::string& iconPath, const std::string& programFolder);
  // The entry's image of one size, or a blank one of that size's side that
  // keeps its place in a list until the worker's answer fills it.
  static IconImage ImageOrBlank(const CachedIcon* icon, bool large, IconSides sides);
  // The stamp of the path now; nullopt for a removable or network path, which
  // this thread never touches.
  std::optional<IconStamp> StampNow(const std::string& iconFile);
  // The drive's type, asked again after a moment (see DriveKinds).
  UINT DriveType(char letter);
  bool DriveRuleSlow(const std::string& fullPath);
  // Looks the icon up through the shell, the sizes asked for only, and keeps
  // its images under `key`.
  const CachedIcon& LookUp(const IconKey& key, const std::string& iconFile, int32_t iconIndex,
                           const IconStamp& stamp, IconSizes sizes);
  // Looks up the size the entry lacks, if it lacks one.
  void Complete(const IconKey& key, const std::string& iconFile, int32_t iconIndex);
  // A build while the bar starts: the shown size only, the rest noted for
  // FinishStartup.
  ImagePositions AppendStarting(HIMAGELIST small, HIMAGELIST large, bool largeShown, const IconKey& key,
                                const std::string& iconFile, int32_t iconIndex, const CachedIcon* cached,
                                const std::optional<IconStamp>& stamp);
  // A slow icon of a build after the start: what is held (or blanks) now, the
  // check by the worker later.
  ImagePositions AppendUnchecked(HIMAGELIST small, HIMAGELIST large, bool largeShown, const IconKey& key,
                                 const std::string& iconFile, int32_t iconIndex);
  // Lists a slow icon for the worker.
  void AskCheck(const IconKey& key, const std::string& iconFile, int32_t iconIndex);
  // Notes where a slow icon's images lie in the lists in use.
  void PlaceSlow(const IconKey& key, const ImagePlace& place);
  void StartChecks();
  // Puts the prefetch's answers into the table, waiting for its worker if it
  // still runs; nothing once they are in.
  void TakePrefetched();
  // Puts an answer's images where the icon's images were placed. True when
  // an image of a drawn list changed.
  bool Replace(const ImagePlace& place, const CachedIcon& icon, IconSides sides);

  std::string programFolder_;
  IconProbes probes_;
  IconCacheTable table_;
  bool starting_ = true;
  std::optional<IconSides> barSides_;
  int lookUps_ = 0;
  DriveKinds drives_;

  // The lists of the build made while starting, and what is left to do on them.
  HIMAGELIST small_ = nullptr;
  HIMAGELIST large_ = nullptr;
  bool largeShown_ = false;
  std::vector<Deferred> deferred_;
  // Every slow icon asked in this run, and where its images lie in the lists
  // still in use: a drive that arrives gets its icons checked again.
  std::map<IconKey, IconCheckRequest> slowAsked_;
  std::multimap<IconKey, ImagePlace> slowPlaces_;

  // Made with copies of probes_' stamp and look-up, so declared after them.
  // Its destruction abandons a worker still running, without waiting.
  IconChecks checks_;
  // Destroyed first: waits for a look-up still running.
  IconPrefetch prefetch_;
};

// One size of a bar's or button's icon for the menus and the buttons manager:
// from `cache` when there is one and it has the pair (see IconOf); else, for
// a removable or network path, the generic icon of its kind, found by name
// alone (the path is not touched; the menu shows the real one once the worker
// has answered); else GetButtonIcon's of that size only. Without a cache
// (tests, tools) the shell is asked as before. Every image has the side
// IconSidesAt(dpi) gives the size.
UniqueIcon ButtonIconOfSize(ButtonIconCache* cache, const std::string& iconFile, int32_t iconIndex,
                            const std::string& programFolder, OneIconSize size, CacheMiss miss,
                            int dpi = kBaseDpi);
