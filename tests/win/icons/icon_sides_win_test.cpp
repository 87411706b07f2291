// Icons at the sides the display scale draws: a multi-size icon gives the
// frame of each side (each frame has a colour of its own), never another
// frame stretched, whether it is asked for directly, through the bar's image
// lists and the icon cache, or for a menu at a DPI.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "db/cbar.h"
#include "db/cdb.h"
#include "icons/button_icon_win.h"
#include "icons/icon_cache_win.h"
#include "icons/icon_image_win.h"
#include "icons/image_list_win.h"
#include "platform/byte_codec.h"
#include "platform/display_scale_win.h"
#include "support/scratch_folder.h"

namespace {

constexpr int kFrameSides[] = {16, 20, 24, 32, 40, 48, 64};

// A distinct colour (BGR as a DWORD) per frame side; the frames are opaque.
DWORD FrameColour(int side) { return static_cast<DWORD>(side * 3) << 16 | static_cast<DWORD>(side) << 8 | 0x40u; }

// An .ico file with one 32-bit frame per side, each filled with its colour.
std::string MultiSizeIcon() {
  std::string dir;
  std::string images;
  const size_t count = std::size(kFrameSides);
  PutU16(dir, 0);
  PutU16(dir, 1);
  PutU16(dir, static_cast<uint16_t>(count));
  for (int side : kFrameSides) {
    std::string image;
    PutU32(image, 40);
    PutU32(image, static_cast<uint32_t>(side));
    PutU32(image, static_cast<uint32_t>(2 * side));  // colour and mask stacked
    PutU16(image, 1);
    PutU16(image, 32);
    for (int i = 0; i < 6; ++i) PutU32(image, 0);
    for (int i = 0; i < side * side; ++i) PutU32(image, 0xFF000000u | FrameColour(side));
    image.append(static_cast<size_t>((side + 31) / 32 * 4 * side), '\0');  // AND mask: all drawn
    dir.push_back(static_cast<char>(side));
    dir.push_back(static_cast<char>(side));
    dir.append(2, '\0');
    PutU16(dir, 1);
    PutU16(dir, 32);
    PutU32(dir, static_cast<uint32_t>(image.size()));
    PutU32(dir, static_cast<uint32_t>(6 + 16 * count + images.size()));
    images += image;
  }
  return dir + images;
}

// The icon's own side (its colour bitmap's width; 0 for none).
int SideOf(HICON icon) {
  ICONINFO parts{};
  if (!icon || !::GetIconInfo(icon, &parts)) return 0;
  UniqueBitmap colour(parts.hbmColor);
  UniqueBitmap mask(parts.hbmMask);
  BITMAP bitmap{};
  return colour && ::GetObjectA(colour.Get(), sizeof bitmap, &bitmap) ? bitmap.bmWidth : 0;
}

// The colour in the middle of the icon taken at `side`, without its alpha.
DWORD MiddleColour(HICON icon, int side) {
  const IconImage image = CaptureIconImage(icon, side);
  if (image.Empty()) return 0;
  DWORD colour = 0;
  image.pixels.copy(reinterpret_cast<char*>(&colour), 4, (static_cast<size_t>(side / 2) * side + side / 2) * 4);
  return colour & 0x00FFFFFFu;
}

DWORD ListColour(HIMAGELIST list, int index, int side) {
  UniqueIcon icon(::ImageList_GetIcon(list, index, ILD_NORMAL));
  return MiddleColour(icon.Get(), side);
}

class IconSidesWinTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteBytes(Icon(), MultiSizeIcon()));
    db_.SetProgramFolder(program_.Path());
    ASSERT_EQ(db_.AddBar("icons"), 0);
    ButtonSpec button;
    button.Name = button.Target = button.IconFile = Icon();
    button.Kind = kFile;
    ASSERT_EQ(db_.AddButton(button), 1);
  }

  std::string Icon() const { return program_.File("frames.ico"); }

  // The colour the small icon is to have: its frame's; at 16/32 on a 96-DPI
  // system the image the system's extraction gives, as it always was (Wine
  // makes that one from the large frame).
  DWORD SmallColour(IconSides sides) {
    if (!(sides == IconSides{}) || SystemDpi() != kBaseDpi) return FrameColour(sides.small);
    HICON large = nullptr;
    HICON small = nullptr;
    const UINT extracted = ::ExtractIconExA(Icon().c_str(), 0, &large, &small, 1);
    if (extracted == 0 || extracted == UINT_MAX) return 0;
    UniqueIcon owned[] = {UniqueIcon(large), UniqueIcon(small)};
    return MiddleColour(small, sides.small);
  }

  void ExpectFrames(const ButtonIcons& icons, IconSides sides, const char* what) {
    EXPECT_EQ(SideOf(icons.Small.Get()), sides.small) << what;
    EXPECT_EQ(SideOf(icons.Large.Get()), sides.large) << what;
    EXPECT_EQ(MiddleColour(icons.Small.Get(), sides.small), SmallColour(sides)) << what;
    EXPECT_EQ(MiddleColour(icons.Large.Get(), sides.large), FrameColour(sides.large)) << what;
  }

  ScratchFolder program_;
  CDB db_;
};

// At the system's scale (96, and 144 in the run at that scale).
TEST_F(IconSidesWinTest, AtEveryScaleTheFrameOfTheDrawnSideIsTaken) {
  const int dpi = SystemDpi();
  const IconSides sides = IconSidesAt(dpi);
  ExpectFrames(GetButtonIcon(Icon(), 0, program_.Path(), IconSizes::kBoth, sides), sides, "direct");
  ExpectFrames(GetButtonIconOrGeneric(Icon(), 0, program_.Path(), IconSizes::kBoth, sides), sides, "or generic");

  ButtonIconCache cache(program_.Path());
  ButtonImageLists lists(&cache);
  cache.Load();
  ASSERT_EQ(lists.Build(db_, 0, false, sides), 1);
  cache.FinishStartup(db_);
  int cx = 0;
  int cy = 0;
  ASSERT_TRUE(::ImageList_GetIconSize(lists.Small(), &cx, &cy));
  EXPECT_EQ(cx, sides.small);
  ASSERT_TRUE(::ImageList_GetIconSize(lists.Large(), &cx, &cy));
  EXPECT_EQ(cx, sides.large);
  EXPECT_EQ(ListColour(lists.Small(), 0, sides.small), SmallColour(sides));
  EXPECT_EQ(ListColour(lists.Large(), 0, sides.large), FrameColour(sides.large));

  // A menu at the same scale gets the bar's entry; a second start reads it.
  UniqueIcon menu = ButtonIconOfSize(&cache, Icon(), 0, program_.Path(), OneIconSize::kSmall, CacheMiss::kGiveNull, dpi);
  EXPECT_EQ(MiddleColour(menu.Get(), sides.small), SmallColour(sides));
  ButtonIconCache again(program_.Path());
  ASSERT_TRUE(again.Load());
  ASSERT_NE(again.Table().Find(IconCacheKey(Icon(), 0, sides)), nullptr);
  EXPECT_EQ(again.Table().Find(IconCacheKey(Icon(), 0, sides))->large.side, sides.large);
}

// Sides other than the system's (a window on a monitor of another scale).
TEST_F(IconSidesWinTest, EachScaleGetsItsFramesAndItsOwnCacheEntries) {
  ButtonIconCache cache(program_.Path());
  ButtonImageLists lists(&cache);
  ASSERT_EQ(lists.Build(db_, 0, true, IconSidesAt(96)), 1);
  cache.FinishStartup(db_);
  for (int dpi : {120, 144, 192}) {
    const IconSides sides = IconSidesAt(dpi);
    ExpectFrames(GetButtonIcon(Icon(), 0, program_.Path(), IconSizes::kBoth, sides), sides, "direct");
    for (OneIconSize size : {OneIconSize::kSmall, OneIconSize::kLarge}) {
      const int side = size == OneIconSize::kLarge ? sides.large : sides.small;
      UniqueIcon icon = ButtonIconOfSize(&cache, Icon(), 0, program_.Path(), size, CacheMiss::kLookUpAndKeep, dpi);
      EXPECT_EQ(SideOf(icon.Get()), side) << dpi;
      EXPECT_EQ(MiddleColour(icon.Get(), side), FrameColour(side)) << dpi;
    }
    EXPECT_NE(cache.Table().Find(IconCacheKey(Icon(), 0, sides)), nullptr) << dpi;
  }
  // The shell's icons at a side its small and large lists do not have.
  const IconSides big = IconSidesAt(192);
  ButtonIcons folder = GetButtonIconOrGeneric(program_.Path(), 0, program_.Path(), IconSizes::kBoth, big);
  EXPECT_FALSE(CaptureIconImage(folder.Large.Get(), big.large).Empty());
  ButtonIcons kind = GenericIconsOfKind(program_.File("letter.txt"), IconSizes::kBoth, big);
  EXPECT_FALSE(CaptureIconImage(kind.Small.Get(), big.small).Empty());

  // The file keeps the bar's sides only.
  ASSERT_TRUE(cache.Save(db_));
  ButtonIconCache reread(program_.Path());
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(reread.Table().Size(), 1u);
  EXPECT_NE(reread.Table().Find(IconCacheKey(Icon(), 0, IconSidesAt(96))), nullptr);
}

}  // namespace

namespace {

// The mask of an image whose right half is transparent: the rows' bits as a
// monochrome bitmap holds them, padded to 16-bit words.
IconImage HalfTransparent(int side) {
  IconImage image;
  image.side = side;
  image.pixels.assign(IconPixelBytes(side), '\0');
  image.mask.assign(IconMaskBytes(side), '\0');
  const size_t row = IconMaskRowBytes(side);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const size_t at = (static_cast<size_t>(y) * side + x) * 4;
      if (x >= side / 2) {
        image.mask[y * row + x / 8] = static_cast<char>(image.mask[y * row + x / 8] | (0x80 >> (x % 8)));
      } else {
        image.pixels[at + 2] = '\x7F';  // red, opaque
        image.pixels[at + 3] = '\xFF';
      }
    }
  }
  return image;
}

class IconImageSidesTest : public testing::TestWithParam<int> {};

// Sides that are no multiple of 16 keep every bit of their masks.
TEST_P(IconImageSidesTest, AnImageMadeIntoAnIconIsCapturedBackWithItsMask) {
  const int side = GetParam();
  const IconImage image = HalfTransparent(side);
  UniqueIcon icon = IconFromImage(image);
  ASSERT_TRUE(icon);
  const IconImage captured = CaptureIconImage(icon.Get(), side);
  ASSERT_EQ(captured.side, side);
  EXPECT_EQ(captured.mask, image.mask);
  EXPECT_EQ(MiddleColour(icon.Get(), side) & 0xFF0000u, 0u);  // the middle is in the transparent half
  EXPECT_EQ(captured.pixels.substr(0, 4), image.pixels.substr(0, 4));
}

INSTANTIATE_TEST_SUITE_P(Sides, IconImageSidesTest, testing::Values(16, 20, 24, 40, 48, 64));

}  // namespace
