// The shell look-ups of a start whose icon cache lacks what the first frame
// draws, begun on a worker thread while the window is being made. The first of
// them in a process is the slow one (the shell sets up its image lists: most of
// a first start's icon time under Wine), so it runs beside the window's
// creation instead of after it. The worker gets copies of the icon pairs,
// never the cache or the database; the cache takes its images when the bar's
// lists are built, waiting for the worker if it is not done yet.
#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "db/button_icon.h"
#include "db/icon_cache.h"

struct IconPrefetchJob {
  IconKey key;
  std::string iconFile;
  int32_t iconIndex = 0;
  IconStamp stamp;  // what the path was when the job was made
  IconImage image;  // the worker's answer
};

class IconPrefetch {
 public:
  IconPrefetch() = default;
  // Waits for a worker still running: it uses nothing of the object's but
  // what it was given, yet its images are owed to no one after this.
  ~IconPrefetch();
  IconPrefetch(const IconPrefetch&) = delete;
  IconPrefetch& operator=(const IconPrefetch&) = delete;

  // Looks up `size` (kSmall or kLarge) of each job's icon through
  // GetButtonIconOrGeneric on a worker thread. False when there is nothing to
  // do, a worker already runs, or no thread could be started.
  bool Start(std::vector<IconPrefetchJob> jobs, const std::string& programFolder, IconSizes size);
  // Waits for the worker and hands over the jobs with their images; empty
  // when none was started or they were taken already.
  std::vector<IconPrefetchJob> Take();
  IconSizes Size() const { return size_; }

 private:
  static void Work(std::vector<IconPrefetchJob>& jobs, const std::string& programFolder, IconSizes size);

  std::thread worker_;
  std::vector<IconPrefetchJob> jobs_;
  std::string programFolder_;
  IconSizes size_ = IconSizes::kSmall;
};
