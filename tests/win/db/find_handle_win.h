// A FindFirstFileA search handle, closed with FindClose.
#pragma once

#include <windows.h>

#include "platform/handles_win.h"

struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(Handle h) { ::FindClose(h); }
};

using UniqueFind = UniqueHandle<FindTraits>;
