#include "support/pump_messages_win.h"

void PumpMessages(DWORD ms, const std::function<bool()>& done) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < ms) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (done && done()) return;
    ::Sleep(10);
  }
}
