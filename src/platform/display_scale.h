// Display scale: every pixel number in the program is written for 96 DPI (100 %)
// and turned into pixels at the DPI of the window it is drawn in. At 96 DPI
// every length is exactly what it is written as.
#pragma once

#include "platform/geometry.h"

inline constexpr int kBaseDpi = 96;

// `px` pixels at 96 DPI, at `dpi`: rounded to the nearest pixel (halves away
// from zero), as the system's MulDiv rounds. A DPI of 0 or less counts as 96.
constexpr int ScalePx(int px, int dpi) {
  if (dpi <= 0) dpi = kBaseDpi;
  const long long scaled = static_cast<long long>(px) * dpi;
  const long long half = kBaseDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kBaseDpi : -((-scaled + half) / kBaseDpi));
}

// A window's scale, carried to the code that lays it out or draws it.
struct DisplayScale {
  int dpi = kBaseDpi;

  constexpr int Px(int px) const { return ScalePx(px, dpi); }
  constexpr Size Px(Size s) const { return {Px(s.cx), Px(s.cy)}; }
  constexpr Point Px(Point p) const { return {Px(p.x), Px(p.y)}; }
  constexpr Rect Px(const Rect& r) const { return {Px(r.left), Px(r.top), Px(r.right), Px(r.bottom)}; }
  // A font's height in pixels for `points` (negative: a character height, as
  // LOGFONT takes it), at this scale.
  constexpr int FontHeight(int points) const {
    const int d = dpi <= 0 ? kBaseDpi : dpi;
    const long long scaled = static_cast<long long>(points) * d;
    return -static_cast<int>((scaled + 36) / 72);
  }
  constexpr bool operator==(const DisplayScale&) const = default;
};

// The two icon sides the program draws with: "small" (16 at 96 DPI) and
// "large" (32 at 96 DPI), scaled: 20/40 at 120 DPI, 24/48 at 144, 32/64 at 192.
struct IconSides {
  int small = 16;
  int large = 32;
  constexpr bool operator==(const IconSides&) const = default;
};
constexpr IconSides IconSidesAt(int dpi) { return {ScalePx(16, dpi), ScalePx(32, dpi)}; }
