// The icons of the bar's first frame that the cache lacks, looked up on a
// worker thread while the window's thread makes the window and docks it: on a
// first start (or after icons changed) the shell's look-ups no longer come
// after the window's work but beside it. The build takes the answers when it
// first needs the cache, waiting for the worker if it still runs.
//
// The worker gets copies only (the requests and the look-up function) and
// hands its answers over once it has ended, so nothing is shared while it
// runs. Only local paths are asked: removable drives and network paths stay
// with the checks after the first paint.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "icons/icon_cache.h"
#include "icons/icon_check_win.h"

struct IconPrefetchRequest {
  IconKey key;
  std::string iconFile;
  int32_t iconIndex = 0;
  IconStamp stamp;  // taken before the worker starts; the answer is kept under it
};

struct IconPrefetchAnswer {
  IconPrefetchRequest request;
  IconSizes size = IconSizes::kBoth;  // the size asked for
  CachedIcon images;                  // that size's image; the other empty
};

class IconPrefetch {
 public:
  IconPrefetch();
  // Waits for a worker still running: its look-up must not outlive the cache.
  ~IconPrefetch();
  IconPrefetch(const IconPrefetch&) = delete;
  IconPrefetch& operator=(const IconPrefetch&) = delete;

  // Starts the worker over `requests` at `size`; nothing for an empty list.
  // False when no thread could be started (the build then asks itself).
  bool Start(std::vector<IconPrefetchRequest> requests, IconSizes size, IconLookUpProbe lookUp);
  bool Started() const { return thread_ != nullptr; }
  // Waits for the worker and returns its answers, once; empty when none ran.
  std::vector<IconPrefetchAnswer> Take();

 private:
  struct Work;
  static unsigned __stdcall ThreadBody(void* work);

  std::unique_ptr<Work> work_;
  HANDLE thread_ = nullptr;
};
