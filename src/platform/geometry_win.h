// The portable geometry types at the edge to Windows.
#pragma once

#include <windows.h>

#include "platform/geometry.h"

inline Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// A window's rectangle in screen coordinates.
inline Rect WindowRectOf(HWND hwnd) {
  RECT r = {};
  ::GetWindowRect(hwnd, &r);
  return ToRect(r);
}

// A child's rectangle in its parent's client coordinates.
inline Rect ChildRectOf(HWND child, HWND parent) {
  RECT r = {};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return ToRect(r);
}
