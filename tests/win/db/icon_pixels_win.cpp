#include "icon_pixels_win.h"

#include <shellapi.h>

#include <cstdio>

#include "platform/handles_win.h"

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

  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = picture.width;
  bi.bmiHeader.biHeight = -picture.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  WindowDC screen(nullptr);
  UniqueBitmap target(::CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDC memory(::CreateCompatibleDC(screen.Get()));
  if (!target || !memory || !bits) return IconPicture{};
  {
    SelectScope selected(memory.Get(), target.Get());
    RECT all = {0, 0, picture.width, picture.height};
    UniqueBrush magenta(::CreateSolidBrush(RGB(255, 0, 255)));
    ::FillRect(memory.Get(), &all, magenta.Get());
    ::DrawIconEx(memory.Get(), 0, 0, icon, picture.width, picture.height, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
  }
  const auto* p = static_cast<const DWORD*>(bits);
  picture.pixels.assign(p, p + picture.width * picture.height);
  return picture;
}

HICON ShellIconOf(const std::string& path, bool large) {
  SHFILEINFOA info = {};
  if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON)))
    return nullptr;
  return info.hIcon;
}

TempFolder::TempFolder() {
  char base[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, base);
  char name[64];
  std::snprintf(name, sizeof(name), "qr-icons-%lu-%lu", ::GetCurrentProcessId(), ::GetTickCount());
  path_ = std::string(base) + name;
  ::CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  for (const std::string& file : files_) ::DeleteFileA(file.c_str());
  ::RemoveDirectoryA(path_.c_str());
}

void TempFolder::WriteFile(const std::string& name, const std::string& content) {
  const std::string path = path_ + "\\" + name;
  UniqueKernelHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  files_.push_back(path);
}
