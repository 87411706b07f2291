#include "icons/icon_check_win.h"

#include "icons/button_icon_win.h"
#include "icons/icon_image_win.h"
#include "platform/file_ops.h"
#include "platform/handles_win.h"
#include "platform/quiet_errors_win.h"

namespace {

uint64_t Join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

}  // namespace

IconStamp StampOfFullPath(const std::string& fullPath) {
  // A drive's icon follows its type, which the system knows without the medium.
  if (IsDriveRoot(fullPath)) return {IconStampKind::kDrive, 0, 0, static_cast<UINT>(PlatformFileOps().DriveKindOf(fullPath[0]))};
  QuietErrorMode quiet;  // a drive without its medium answers "not there"
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (fullPath.empty() || !::GetFileAttributesExA(fullPath.c_str(), GetFileExInfoStandard, &data)) return {};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {IconStampKind::kFolder, 0, 0, 0};
  return {IconStampKind::kFile, Join(data.nFileSizeHigh, data.nFileSizeLow),
          Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime), 0};
}

CachedIcon LookUpIconImages(const std::string& iconFile, int32_t iconIndex, const std::string& programFolder,
                            IconSizes sizes, IconSides sides) {
  ButtonIcons icons = GetButtonIconOrGeneric(iconFile, iconIndex, programFolder, sizes, sides);
  CachedIcon images;
  images.small = CaptureIconImage(icons.Small.Get(), sides.small);
  images.large = CaptureIconImage(icons.Large.Get(), sides.large);
  return images;
}

std::vector<IconCheckAnswer> CheckIcons(const std::vector<IconCheckRequest>& requests, const IconStampProbe& stamp,
                                        const IconLookUpProbe& lookUp, const std::atomic<bool>& abandoned) {
  // The shell's look-ups are documented for any thread that has COM; an empty
  // drive answers "not there" instead of asking for a disk.
  const ComScope com;
  const QuietErrorMode quiet;
  std::vector<IconCheckAnswer> answers;
  for (const IconCheckRequest& request : requests) {
    if (abandoned) break;
    IconCheckAnswer answer{request.key, std::nullopt};
    const IconStamp now = stamp(request.fullPath);
    if (!request.held || !(*request.held == now)) {
      answer.found = lookUp(request.iconFile, request.iconIndex, IconSizes::kBoth, request.key.Sides());
      answer.found->stamp = now;
    }
    answers.push_back(std::move(answer));
  }
  return answers;
}

void IconChecks::SetWindow(HWND window, UINT message) {
  window_ = window;
  message_ = message;
  nudged_ = false;
}

void IconChecks::Nudge() {
  if (!window_ || nudged_) return;
  nudged_ = ::PostMessageA(window_, message_, 0, 0) != FALSE;
}

void IconChecks::ReclaimLostRuns() {
  // A finished run stays here until its message is taken; one that is not
  // running any more lost its message, and its place would wait for good.
  for (auto at = runs_.begin(); at != runs_.end();) {
    if (at->second->job.Running()) {
      ++at;
      continue;
    }
    queue_.PutBack(std::move(at->second->requests));
    at = runs_.erase(at);
  }
}

bool IconChecks::StartRun(const std::function<std::optional<IconStamp>(const IconKey&)>& held) {
  ReclaimLostRuns();
  if (!window_ || !queue_.Waiting()) return false;
  std::map<std::string, std::vector<IconCheckRequest>> byPlace;
  std::vector<IconCheckRequest> later;  // their place's worker still runs
  for (IconCheckRequest& request : queue_.TakeWaiting()) {
    const std::string place = SlowPlaceOf(request.fullPath);
    auto running = runs_.find(place);
    if (running != runs_.end() && running->second->job.Running()) {
      later.push_back(std::move(request));
      continue;
    }
    request.held = held(request.key);
    byPlace[place].push_back(std::move(request));
  }
  bool started = false;
  for (auto& [place, requests] : byPlace) {
    auto run = std::make_unique<PlaceRun>();
    run->answers = std::make_shared<std::vector<IconCheckAnswer>>();
    run->requests = requests;
    auto job = [answers = run->answers, requests, stamp = stamp_, lookUp = lookUp_](const std::atomic<bool>& abandoned) {
      *answers = CheckIcons(requests, stamp, lookUp, abandoned);
    };
    if (!run->job.Start(std::move(job), window_, message_)) {
      for (IconCheckRequest& request : requests) later.push_back(std::move(request));
      continue;
    }
    runs_[place] = std::move(run);
    started = true;
  }
  queue_.PutBack(std::move(later));
  return started;
}

std::optional<std::vector<IconCheckAnswer>> IconChecks::Take(WPARAM wParam) {
  if (wParam == 0) return std::nullopt;
  for (auto at = runs_.begin(); at != runs_.end(); ++at) {
    if (!at->second->job.Finish(wParam)) continue;
    std::vector<IconCheckAnswer> answers = std::move(*at->second->answers);
    runs_.erase(at);
    return answers;
  }
  return std::nullopt;
}
