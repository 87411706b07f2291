// How the icon cache asks the file system and the shell, and the worker that
// checks the icons on removable drives and network paths (see icon_check.h).
//
// A worker gets copies only (the requests, the stamp and look-up functions):
// per icon it takes the stamp now and, when that differs from the held one,
// looks the icon up at both sizes as pure pixel data. It posts one message
// when done; the window's thread takes the answers. The thread is a
// DetachedJob: ending never waits for it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "icons/button_icon.h"
#include "platform/detached_job_win.h"
#include "icons/icon_cache.h"
#include "icons/icon_check.h"

// What is at a full path now: the file-system touch. On either thread.
using IconStampProbe = std::function<IconStamp(const std::string& fullPath)>;
// The images of an icon at the sizes asked for (the others empty), each at
// its side of `sides`, from the shell; the stamp of the result is not set. On
// either thread.
using IconLookUpProbe =
    std::function<CachedIcon(const std::string& iconFile, int32_t iconIndex, IconSizes sizes, IconSides sides)>;

// What the cache asks of the system; tests put in their own.
struct IconProbes {
  // True for a full path whose look-up may stall (removable drives, network
  // paths). Asked on the window's thread; it must not touch the path.
  std::function<bool(const std::string& fullPath)> slow;
  IconStampProbe stamp;
  IconLookUpProbe lookUp;
};

// The real ones: a drive's root by its type, a folder by its kind, a file by
// its size and time, asked without the system's error boxes.
IconStamp StampOfFullPath(const std::string& fullPath);
// GetButtonIconOrGeneric's icons captured as images.
CachedIcon LookUpIconImages(const std::string& iconFile, int32_t iconIndex, const std::string& programFolder,
                            IconSizes sizes, IconSides sides = {});

// Checks each request in turn (the worker's part), with COM initialised and
// the error boxes quiet on the calling thread. An answer per request, in
// order; fewer when abandoned on the way.
std::vector<IconCheckAnswer> CheckIcons(const std::vector<IconCheckRequest>& requests,
                                        const IconStampProbe& stamp,
                                        const IconLookUpProbe& lookUp, const std::atomic<bool>& abandoned);

// The queue and its workers: one per place (drive or network share), one at
// a time for each, so a place that does not answer holds back only its own
// icons; the icons of a place whose worker still runs wait for its answer.
class IconChecks {
 public:
  IconChecks(IconStampProbe stamp, IconLookUpProbe lookUp)
      : stamp_(std::move(stamp)), lookUp_(std::move(lookUp)) {}

  IconCheckQueue& Queue() { return queue_; }
  // Where the answers go; nothing runs before it is set.
  void SetWindow(HWND window, UINT message);
  bool HasWindow() const { return window_ != nullptr; }
  // Posts the message with wParam 0, once until it is handled: a run then
  // starts when the window's thread is free, over everything one build or one
  // menu listed meanwhile.
  void Nudge();
  // The nudge was handled.
  void Nudged() { nudged_ = false; }
  // Starts a run per place over the waiting icons of the places whose worker
  // is not going, unless no window is set; `held` gives each icon's held
  // stamp as the run starts. True when a run was started.
  bool StartRun(const std::function<std::optional<IconStamp>(const IconKey&)>& held);
  // For a posted message (wParam non-zero): the answers of the run it names,
  // once; nothing for a message of an abandoned or answered run.
  // (Destroying the object abandons every run without waiting.)
  std::optional<std::vector<IconCheckAnswer>> Take(WPARAM wParam);

 private:
  IconStampProbe stamp_;
  IconLookUpProbe lookUp_;
  IconCheckQueue queue_;
  HWND window_ = nullptr;
  UINT message_ = 0;
  bool nudged_ = false;
  struct PlaceRun {
    DetachedJob job;
    std::shared_ptr<std::vector<IconCheckAnswer>> answers;
    std::vector<IconCheckRequest> requests;  // asked again if no answer can come
  };
  // Runs that ended without an answer give their icons back to the queue.
  void ReclaimLostRuns();
  std::map<std::string, std::unique_ptr<PlaceRun>> runs_;  // by SlowPlaceOf
};
