#include "platform/quiet_errors_win.h"

namespace {

using SetThreadErrorModeFn = BOOL(WINAPI*)(DWORD, DWORD*);

SetThreadErrorModeFn ThreadErrorMode() {
  // A plain pointer, no object with a destructor: worker threads may still
  // probe while the process ends.
  static const SetThreadErrorModeFn function = reinterpret_cast<SetThreadErrorModeFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetThreadErrorMode")));
  return function;
}

}  // namespace

QuietErrorMode::QuietErrorMode() {
  constexpr UINT kQuiet = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
  if (ThreadErrorMode() && ThreadErrorMode()(kQuiet, &old_)) return;
  perThread_ = false;
  old_ = ::SetErrorMode(kQuiet);
}

QuietErrorMode::~QuietErrorMode() {
  if (perThread_)
    ThreadErrorMode()(old_, nullptr);
  else
    ::SetErrorMode(old_);
}
