#include "icons/icon_prefetch_win.h"

#include <process.h>

#include <utility>

#include "platform/exception_barrier.h"
#include "platform/handles_win.h"
#include "platform/quiet_errors_win.h"

struct IconPrefetch::Work {
  std::vector<IconPrefetchRequest> requests;
  IconSizes size = IconSizes::kBoth;
  IconLookUpProbe lookUp;
  std::vector<IconPrefetchAnswer> answers;
};

IconPrefetch::IconPrefetch() = default;
IconPrefetch::~IconPrefetch() { Take(); }

bool IconPrefetch::Start(std::vector<IconPrefetchRequest> requests, IconSizes size, IconLookUpProbe lookUp) {
  Take();
  if (requests.empty()) return true;
  auto work = std::make_unique<Work>();
  work->requests = std::move(requests);
  work->size = size;
  work->lookUp = std::move(lookUp);
  const uintptr_t thread = ::_beginthreadex(nullptr, 0, &IconPrefetch::ThreadBody, work.get(), 0, nullptr);
  if (thread == 0) return false;
  work_ = std::move(work);
  thread_ = reinterpret_cast<HANDLE>(thread);
  return true;
}

unsigned __stdcall IconPrefetch::ThreadBody(void* raw) {
  auto* work = static_cast<Work*>(raw);
  GuardedVoid("icon look-up", [work] {
    // The shell's look-ups are documented for any thread that has COM; an
    // empty drive answers "not there" instead of asking for a disk.
    const ComScope com;
    const QuietErrorMode quiet;
    for (const IconPrefetchRequest& request : work->requests) {
      work->answers.push_back({request, work->size, work->lookUp(request.iconFile, request.iconIndex, work->size,
                                                     request.key.Sides())});
    }
  });
  return 0;
}

std::vector<IconPrefetchAnswer> IconPrefetch::Take() {
  if (!thread_) return {};
  ::WaitForSingleObject(thread_, INFINITE);
  ::CloseHandle(thread_);
  thread_ = nullptr;
  std::vector<IconPrefetchAnswer> answers = std::move(work_->answers);
  work_.reset();
  return answers;
}
