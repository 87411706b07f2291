// Plain screen geometry shared by the portable layout code. The Windows side
// converts to and from RECT / POINT / SIZE at its edges; everything in between
// stays testable on the host.
#pragma once

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Same convention as RECT: right and bottom are exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  // Grows the rectangle by dx on the left and right and dy on the top and bottom.
  Rect Inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }

  static Rect FromOriginSize(Point origin, Size size) {
    return {origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};
