// Icons on removable drives and network paths are never looked at on the
// window's thread: the bar shows what the cache holds for them (or a blank)
// and lists them here for a check on a worker thread. This is the bookkeeping
// of those checks: which icons wait for the next run, which were checked in
// this run already (each is checked once per run, however often the bar is
// rebuilt), and where their images lie in the image lists, so that an answer
// can replace them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "icons/icon_cache.h"

// What the worker gets for one icon: copies only.
struct IconCheckRequest {
  IconKey key;
  std::string iconFile;  // as the button names it, for the look-up
  int32_t iconIndex = 0;
  std::string fullPath;  // where the file system is asked
  // The stamp of the whole entry the cache holds as the run starts; nothing
  // when it holds none (the icon is then looked up in any case).
  std::optional<IconStamp> held;
};

struct IconCheckAnswer {
  IconKey key;
  // The entry looked up anew; nothing when the held stamp still matches.
  std::optional<CachedIcon> found;
};

// A pair of image lists (the small and the large icons), by identity only.
struct ImageListPair {
  const void* small = nullptr;
  const void* large = nullptr;
  bool operator==(const ImageListPair&) const = default;
};

// Where one button's images lie: its positions in a pair of lists (-1 for
// none) and which of the two the bar draws from.
struct ImagePlace {
  ImageListPair lists;
  int small = -1;
  int large = -1;
  bool largeShown = false;
};

// Where a slow path's checks wait on each other: the drive ("E:") or the
// network share ("\\\\server\\share", in lower case). Each place is checked by
// a worker of its own, so a dead share holds back only its own icons.
std::string SlowPlaceOf(const std::string& fullPath);
// The drive letters a volume's unit mask names (bit 0 is A).
std::string DriveLettersOfMask(uint32_t unitMask);
// True when the full path lies on one of the drives.
bool OnDrives(const std::string& fullPath, const std::string& letters);

class IconCheckQueue {
 public:
  // Lists the icon for the next run, unless it was listed in this run already.
  void Ask(IconCheckRequest request);
  // Lists an icon once more although it was checked in this run (its drive
  // came back); false, and nothing listed, while its check is still to come.
  bool AskAgain(IconCheckRequest request);
  // The icon is listed or its run is going: its images are to be placed.
  bool Pending(const IconKey& key) const { return pending_.count(key) != 0; }
  bool Waiting() const { return !waiting_.empty(); }
  // The listed icons, for a run; they stay pending until answered.
  std::vector<IconCheckRequest> TakeWaiting();
  // A run that could not start: its icons wait for the next.
  void PutBack(std::vector<IconCheckRequest> requests);

  // Notes where a pending icon's images were put; nothing for another icon.
  void Place(const IconKey& key, const ImagePlace& place);
  // The lists are going: nothing is to be replaced in them any more.
  void Forget(const ImageListPair& lists);
  // The icon's check is over: the places its images were put, taken.
  std::vector<ImagePlace> Answered(const IconKey& key);

 private:
  std::set<IconKey> asked_;    // in this run, answered or not
  std::set<IconKey> pending_;  // asked and not answered
  std::vector<IconCheckRequest> waiting_;
  std::multimap<IconKey, ImagePlace> places_;
};
