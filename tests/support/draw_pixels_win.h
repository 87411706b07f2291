// What a test drew, as pixels: `draw` paints into a memory DC holding a
// top-down 32-bit bitmap of the given size.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Row by row, each pixel as 0x00RRGGBB (the DIB's own order); empty when the
// bitmap cannot be made.
std::vector<DWORD> DrawToPixels(int width, int height, const std::function<void(HDC)>& draw);
