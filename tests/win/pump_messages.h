// Lets a test's windows run for a while: dispatches this thread's messages
// until `ms` have passed or `done` says so.
#pragma once

#include <windows.h>

#include <functional>

inline void PumpMessages(DWORD ms, const std::function<bool()>& done = {}) {
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
