// Lets a test's windows run for a while: dispatches this thread's messages
// until `ms` have passed or `done` says so.
#pragma once

#include <windows.h>

#include <functional>

void PumpMessages(DWORD ms, const std::function<bool()>& done = {});
