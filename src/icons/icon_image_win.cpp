#include "icons/icon_image_win.h"

namespace {

BITMAPINFO TopDownInfo(int32_t side, WORD bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = side;
  info.bmiHeader.biHeight = -side;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bits;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The colour bits of a side x side bitmap as 32-bit BGRA rows.
bool ReadColour(HDC dc, HBITMAP bitmap, int32_t side, std::string& pixels) {
  BITMAPINFO info = TopDownInfo(side, 32);
  pixels.assign(IconPixelBytes(side), '\0');
  return ::GetDIBits(dc, bitmap, 0, side, pixels.data(), &info, DIB_RGB_COLORS) == side;
}

// The AND mask as rows of `side` bits padded to 16-bit words; GetDIBits gives
// rows padded to 4 bytes.
bool ReadMask(HDC dc, HBITMAP bitmap, int32_t side, std::string& mask) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info{};
  info.header = TopDownInfo(side, 1).bmiHeader;
  const size_t stride = ((static_cast<size_t>(side) + 31) / 32) * 4;
  std::string padded(stride * side, '\0');
  if (::GetDIBits(dc, bitmap, 0, side, padded.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != side)
    return false;
  const size_t row = IconMaskRowBytes(side);
  mask.clear();
  for (int32_t y = 0; y < side; ++y) mask.append(padded, y * stride, row);
  return true;
}

// The colour and mask bitmaps of an icon of exactly `side` pixels; an icon of
// another size (or a monochrome one) is first put through an image list of
// that size, which scales it exactly as the bar's own list would.
bool IconParts(HICON icon, int32_t side, UniqueBitmap& colour, UniqueBitmap& andMask) {
  ICONINFO parts{};
  if (!::GetIconInfo(icon, &parts)) return false;
  colour.Reset(parts.hbmColor);
  andMask.Reset(parts.hbmMask);
  BITMAP bitmap{};
  if (colour && ::GetObjectA(colour.Get(), sizeof bitmap, &bitmap) && bitmap.bmWidth == side &&
      bitmap.bmHeight == side)
    return true;
  UniqueImageList list(::ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 1, 0));
  if (!list || ::ImageList_ReplaceIcon(list.Get(), -1, icon) != 0) return false;
  UniqueIcon scaled(::ImageList_GetIcon(list.Get(), 0, ILD_NORMAL));
  parts = {};
  if (!scaled || !::GetIconInfo(scaled.Get(), &parts)) return false;
  colour.Reset(parts.hbmColor);
  andMask.Reset(parts.hbmMask);
  return static_cast<bool>(colour);
}

}  // namespace

IconImage CaptureIconImage(HICON icon, int32_t side) {
  UniqueBitmap colour;
  UniqueBitmap andMask;
  if (!icon || !IconParts(icon, side, colour, andMask)) return {};
  UniqueDC dc(::CreateCompatibleDC(nullptr));
  IconImage image;
  image.side = side;
  if (!dc || !ReadColour(dc.Get(), colour.Get(), side, image.pixels) ||
      !ReadMask(dc.Get(), andMask.Get(), side, image.mask))
    return {};
  return image;
}

IconImage BlankImage(int32_t side) {
  IconImage image;
  image.side = side;
  image.pixels.assign(IconPixelBytes(side), '\0');
  image.mask.assign(IconMaskBytes(side), '\xFF');
  return image;
}

ImageBitmaps MakeImageBitmaps(const IconImage& image) {
  if (image.Empty()) return {};
  BITMAPINFO info = TopDownInfo(image.side, 32);
  void* bits = nullptr;
  ImageBitmaps out;
  out.colour.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  // The mask's rows are already the word-aligned rows CreateBitmap takes.
  out.mask.Reset(::CreateBitmap(image.side, image.side, 1, 1, image.mask.data()));
  if (!out.colour || !bits || !out.mask) return {};
  image.pixels.copy(static_cast<char*>(bits), image.pixels.size());
  return out;
}

int AppendImage(HIMAGELIST list, const IconImage& image) {
  ImageBitmaps bitmaps = MakeImageBitmaps(image);
  return bitmaps.colour ? ::ImageList_Add(list, bitmaps.colour.Get(), bitmaps.mask.Get()) : -1;
}

int AppendIconImage(HIMAGELIST list, HICON icon, int32_t side) {
  return AppendImage(list, CaptureIconImage(icon, side));
}

UniqueIcon IconFromImage(const IconImage& image) {
  ImageBitmaps bitmaps = MakeImageBitmaps(image);
  if (!bitmaps.colour) return {};
  // The icon holds copies of the bitmaps.
  ICONINFO parts{};
  parts.fIcon = TRUE;
  parts.hbmColor = bitmaps.colour.Get();
  parts.hbmMask = bitmaps.mask.Get();
  return UniqueIcon(::CreateIconIndirect(&parts));
}
