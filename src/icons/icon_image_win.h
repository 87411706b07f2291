// Icon images as the icon cache keeps them (BGRA pixels and an AND mask, see
// icon_cache.h), taken from icons and turned back into bitmaps and icons.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "icons/icon_cache.h"
#include "platform/handles_win.h"

// One image of the size `side` as an image list of that size would hold the
// icon; an empty image for no icon.
IconImage CaptureIconImage(HICON icon, int32_t side);

// A fully transparent image: the place of an icon not known yet.
IconImage BlankImage(int32_t side);

// The bitmaps of a captured image, as ImageList_Add takes them; both null for
// an empty image.
struct ImageBitmaps {
  UniqueBitmap colour;
  UniqueBitmap mask;
};
ImageBitmaps MakeImageBitmaps(const IconImage& image);

// Appends an image to an image list of its size; its position, or -1 for an
// empty image. Appending the bitmaps is a hundred times faster than appending
// an icon made of them (ImageList_ReplaceIcon draws the icon) and gives the
// same image.
int AppendImage(HIMAGELIST list, const IconImage& image);

// Appends an icon to an image list of `side` pixels: the image
// ImageList_ReplaceIcon would make, without drawing the icon (which under Wine
// costs milliseconds per icon). Its position, or -1.
int AppendIconImage(HIMAGELIST list, HICON icon, int32_t side);

// An icon of the image's size made of the image; null for an empty image.
UniqueIcon IconFromImage(const IconImage& image);
