#include "db/icon_prefetch_win.h"

#include <windows.h>
#include <objbase.h>

#include <system_error>
#include <utility>

#include "db/button_icon_win.h"
#include "db/icon_image_win.h"

IconPrefetch::~IconPrefetch() {
  if (worker_.joinable()) worker_.join();
}

bool IconPrefetch::Start(std::vector<IconPrefetchJob> jobs, const std::string& programFolder, IconSizes size) {
  if (jobs.empty() || worker_.joinable() || size == IconSizes::kBoth) return false;
  jobs_ = std::move(jobs);
  programFolder_ = programFolder;
  size_ = size;
  try {
    // The jobs belong to the worker until Take joins it.
    worker_ = std::thread(&IconPrefetch::Work, std::ref(jobs_), std::cref(programFolder_), size_);
  } catch (const std::system_error&) {
    jobs_.clear();
    return false;
  }
  return true;
}

std::vector<IconPrefetchJob> IconPrefetch::Take() {
  if (!worker_.joinable()) return {};
  worker_.join();
  return std::exchange(jobs_, {});
}

void IconPrefetch::Work(std::vector<IconPrefetchJob>& jobs, const std::string& programFolder, IconSizes size) {
  // The shell's file information wants COM on the thread that asks.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const bool large = size == IconSizes::kLarge;
  for (IconPrefetchJob& job : jobs) {
    ButtonIcons icons = GetButtonIconOrGeneric(job.iconFile, job.iconIndex, programFolder, size);
    job.image = large ? CaptureIconImage(icons.Large.Get(), kLargeIconSide)
                      : CaptureIconImage(icons.Small.Get(), kSmallIconSide);
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
}
