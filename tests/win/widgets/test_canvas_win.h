// A 32-bit memory bitmap to draw on and read back, and a 16 x 16 test icon:
// red, opaque only in the square [4, 12) x [4, 12), so where its picture and
// its silhouette land can be told pixel by pixel.
#pragma once

#include <windows.h>

#include "platform/handles_win.h"

class TestCanvas {
 public:
  TestCanvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_.Reset(::CreateCompatibleDC(nullptr));
    bitmap_.Reset(::CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    old_ = ::SelectObject(dc_.Get(), bitmap_.Get());
    Fill(fill);
  }
  ~TestCanvas() { ::SelectObject(dc_.Get(), old_); }
  TestCanvas(const TestCanvas&) = delete;
  TestCanvas& operator=(const TestCanvas&) = delete;

  HDC Dc() const { return dc_.Get(); }
  RECT Rect() const { return {0, 0, width_, height_}; }
  COLORREF At(int x, int y) const { return ::GetPixel(dc_.Get(), x, y); }
  void Fill(COLORREF color) {
    UniqueBrush brush(::CreateSolidBrush(color));
    RECT r = Rect();
    ::FillRect(dc_.Get(), &r, brush.Get());
  }
  // Pixels of `color` inside the rectangle.
  int Count(const RECT& r, COLORREF color) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == color ? 1 : 0;
    }
    return n;
  }

 private:
  int width_;
  int height_;
  UniqueDC dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
};

inline constexpr COLORREF kIconRed = RGB(255, 0, 0);

inline UniqueIcon MakeTestIcon() {
  BYTE maskBits[16 * 2];  // 1: transparent, 0: opaque; rows of 16 bits, word aligned
  for (int y = 0; y < 16; ++y) {
    const WORD row = (y >= 4 && y < 12) ? static_cast<WORD>(0xF00F) : static_cast<WORD>(0xFFFF);
    maskBits[y * 2] = static_cast<BYTE>(row >> 8);
    maskBits[y * 2 + 1] = static_cast<BYTE>(row & 0xFF);
  }
  UniqueBitmap mask(::CreateBitmap(16, 16, 1, 1, maskBits));
  // Black where the mask is transparent, or the picture would tint the background.
  TestCanvas color(16, 16, RGB(0, 0, 0));
  {
    UniqueBrush red(::CreateSolidBrush(kIconRed));
    RECT square = {4, 4, 12, 12};
    ::FillRect(color.Dc(), &square, red.Get());
  }
  HDC screen = ::GetDC(nullptr);
  UniqueBitmap picture(::CreateCompatibleBitmap(screen, 16, 16));
  ::ReleaseDC(nullptr, screen);
  {
    UniqueDC dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ old = ::SelectObject(dc.Get(), picture.Get());
    ::BitBlt(dc.Get(), 0, 0, 16, 16, color.Dc(), 0, 0, SRCCOPY);
    ::SelectObject(dc.Get(), old);
  }
  ICONINFO info = {};
  info.fIcon = TRUE;
  info.hbmMask = mask.Get();
  info.hbmColor = picture.Get();
  return UniqueIcon(::CreateIconIndirect(&info));
}
