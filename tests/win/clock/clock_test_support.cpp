#include "clock_test_support.h"

#include <algorithm>

#include "support/draw_pixels_win.h"

ClientPicture PrintClient(HWND hwnd) {
  RECT client = {};
  ::GetClientRect(hwnd, &client);
  const std::vector<DWORD> rgbx = DrawToPixels(client.right, client.bottom, [hwnd](HDC dc) {
    ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
  ClientPicture picture;
  if (rgbx.empty()) return picture;
  picture.width = client.right;
  picture.height = client.bottom;
  picture.pixels.reserve(rgbx.size());
  for (DWORD v : rgbx) picture.pixels.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
  return picture;
}

RECT BoundsOfNon(const ClientPicture& picture, COLORREF background) {
  RECT bounds = {picture.width, picture.height, 0, 0};
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.At(x, y) == background) continue;
      bounds.left = std::min<LONG>(bounds.left, x);
      bounds.top = std::min<LONG>(bounds.top, y);
      bounds.right = std::max<LONG>(bounds.right, x + 1);
      bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
    }
  }
  if (bounds.right == 0) return RECT{0, 0, 0, 0};
  return bounds;
}
