#include "support/draw_pixels_win.h"

#include "platform/handles_win.h"

std::vector<DWORD> DrawToPixels(int width, int height, const std::function<void(HDC)>& draw) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  WindowDC screen(nullptr);
  UniqueBitmap bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDC memory(::CreateCompatibleDC(screen.Get()));
  if (!bitmap || !memory || !bits) return {};
  {
    SelectScope selected(memory.Get(), bitmap.Get());
    draw(memory.Get());
    ::GdiFlush();
  }
  const auto* pixels = static_cast<const DWORD*>(bits);
  return std::vector<DWORD>(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
}
