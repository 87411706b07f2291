#include "clock_test_support.h"

#include <algorithm>

#include "platform/handles_win.h"

ClientPicture PrintClient(HWND hwnd) {
  RECT client = {};
  ::GetClientRect(hwnd, &client);
  ClientPicture picture;
  picture.width = client.right;
  picture.height = client.bottom;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  WindowDC screen(nullptr);
  UniqueBitmap bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDC memory(::CreateCompatibleDC(screen.Get()));
  if (!bitmap || !memory || !bits) {
    picture.width = picture.height = 0;
    return picture;
  }
  {
    SelectScope selected(memory.Get(), bitmap.Get());
    ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
    ::GdiFlush();
  }
  const auto* rgbx = static_cast<const DWORD*>(bits);
  picture.pixels.reserve(static_cast<size_t>(picture.width * picture.height));
  for (int i = 0; i < picture.width * picture.height; ++i) {
    DWORD v = rgbx[i];  // 0x00RRGGBB in a DIB
    picture.pixels.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
  }
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
