#include "icon_pixels_win.h"

#include <shellapi.h>

#include "platform/handles_win.h"
#include "support/draw_pixels_win.h"

IconPicture DrawIcon(HICON icon) {
  IconPicture picture;
  ICONINFO info = {};
  if (!icon || !::GetIconInfo(icon, &info)) return picture;
  UniqueBitmap mask(info.hbmMask);
  UniqueBitmap colour(info.hbmColor);
  BITMAP bm = {};
  ::GetObjectA(info.hbmMask, sizeof(bm), &bm);
  picture.width = bm.bmWidth;
  picture.height = colour ? bm.bmHeight : bm.bmHeight / 2;  // a monochrome icon stacks mask and image

  picture.pixels = DrawToPixels(picture.width, picture.height, [&](HDC dc) {
    RECT all = {0, 0, picture.width, picture.height};
    UniqueBrush magenta(::CreateSolidBrush(RGB(255, 0, 255)));
    ::FillRect(dc, &all, magenta.Get());
    ::DrawIconEx(dc, 0, 0, icon, picture.width, picture.height, 0, nullptr, DI_NORMAL);
  });
  if (picture.pixels.empty()) return IconPicture{};
  return picture;
}

HICON ShellIconOf(const std::string& path, bool large) {
  SHFILEINFOA info = {};
  if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON)))
    return nullptr;
  return info.hIcon;
}
