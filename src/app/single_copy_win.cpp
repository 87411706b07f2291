#include "app/single_copy_win.h"

#include <windows.h>

#include "app/single_copy.h"
#include "barwnd/window/another_start.h"
#include "core/message_texts.h"
#include "platform/registered_messages_win.h"

namespace {

// Long enough for a copy started a moment earlier (at logon, with the disk
// busy) to make its bar window; a copy that asks its start-up question stays
// without one until answered, and this start gives up.
constexpr int kPatienceMilliseconds = 10000;
constexpr int kRetryMilliseconds = 100;
constexpr UINT kAnswerMilliseconds = 3000;  // a bar that does not answer by then is hung

// The bar window is a dialog with the program's title; so are the program's
// message boxes, which do not answer. Only another process's windows count.
bool TellRunningBar() {
  const UINT message = AppBarNotifyMessage();
  if (message == 0) return false;
  HWND window = nullptr;
  while ((window = ::FindWindowExA(nullptr, window, "#32770", ProgramTitle())) != nullptr) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId()) continue;
    // This start was begun by the user: the running copy may come to the front.
    ::AllowSetForegroundWindow(process);
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutA(window, message, kAnotherStartCode, 0, SMTO_ABORTIFHUNG, kAnswerMilliseconds,
                              &answer) &&
        static_cast<intptr_t>(answer) == kAnotherStartHeard) {
      return true;
    }
  }
  return false;
}

}  // namespace

SingleCopy::SingleCopy() {
  HANDLE mutex = ::CreateMutexA(nullptr, FALSE, kProgramMutexName);
  const DWORD error = ::GetLastError();
  mutex_.Reset(mutex);
  // Denied access means it exists, made by a copy under other rights. A mutex
  // that cannot be made at all says nothing: the start runs, as it always did.
  first_ = !(error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED));
}

bool SingleCopy::TakeOver() {
  // While this start holds it open the mutex outlives the copy that made it.
  mutex_.Reset();
  HANDLE mutex = ::CreateMutexA(nullptr, FALSE, kProgramMutexName);
  const DWORD error = ::GetLastError();
  mutex_.Reset(mutex);
  // Only a mutex made here counts: a failure must not start a second copy.
  first_ = mutex_ && error != ERROR_ALREADY_EXISTS;
  return first_;
}

HandOverEnd HandOverToRunningCopy(SingleCopy& copy) {
  HandOverSteps steps;
  steps.tell = TellRunningBar;
  steps.takeOver = [&copy] { return copy.TakeOver(); };
  steps.milliseconds = [] { return static_cast<uint32_t>(::GetTickCount()); };
  steps.wait = [](int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); };
  return HandOver(steps, kPatienceMilliseconds, kRetryMilliseconds);
}
