// The icon cache at the display's icon sides: entries are kept per pair of
// sides, the file carries each entry's sides, files of the first version read
// as their 16/32 entries, and the file keeps to its size limit.
#include "icons/icon_cache.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/byte_codec.h"

namespace {

IconImage Image(int32_t side, char fill) {
  IconImage image;
  image.side = side;
  image.pixels.assign(IconPixelBytes(side), fill);
  image.mask.assign(IconMaskBytes(side), static_cast<char>(~fill));
  return image;
}

CachedIcon IconAt(IconSides sides, char fill) {
  return {{IconStampKind::kFile, 100, 200, 0}, Image(sides.small, fill), Image(sides.large, static_cast<char>(fill + 1))};
}

void SetU32(std::string& file, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void FitHeader(std::string& file) {
  SetU32(file, 12, static_cast<uint32_t>(file.size() - kIconCacheHeaderBytes));
  SetU32(file, 16, IconCacheCrc32(file.substr(kIconCacheHeaderBytes)));
}

struct SidesCase {
  int dpi;
  IconSides sides;
  size_t maskRowBytes;  // of the small image, then the large
  size_t largeMaskRowBytes;
};

class IconCacheSidesTest : public testing::TestWithParam<SidesCase> {};

TEST_P(IconCacheSidesTest, AnEntryReadsBackAtItsSidesAndIsNotFoundAtOthers) {
  const SidesCase& c = GetParam();
  ASSERT_EQ(IconSidesAt(c.dpi), c.sides);
  // Mask rows are padded to 16-bit words, as monochrome bitmaps take them.
  EXPECT_EQ(IconMaskRowBytes(c.sides.small), c.maskRowBytes);
  EXPECT_EQ(IconMaskRowBytes(c.sides.large), c.largeMaskRowBytes);
  EXPECT_EQ(IconMaskBytes(c.sides.large), c.largeMaskRowBytes * c.sides.large);

  const IconKey key = IconCacheKey("C:\\Tools\\tool.exe", 3, c.sides);
  const IconKey web = IconCacheKey("http://example.com/", 0, c.sides);
  IconCacheTable table;
  table.Put(key, IconAt(c.sides, 'a'));
  table.Put(web, IconAt(c.sides, 'w'));
  ASSERT_FALSE(table.Find(key)->small.Empty());  // well shaped at these sides
  IconCacheTable reread;
  ASSERT_TRUE(reread.Decode(table.Encode()));
  EXPECT_FALSE(reread.Changed());
  ASSERT_NE(reread.Find(key), nullptr);
  EXPECT_EQ(*reread.Find(key), IconAt(c.sides, 'a'));
  EXPECT_EQ(*reread.Find(web), IconAt(c.sides, 'w'));
  for (int other : {96, 120, 144, 192}) {
    if (other == c.dpi) continue;
    EXPECT_EQ(reread.Find(IconCacheKey("C:\\Tools\\tool.exe", 3, IconSidesAt(other))), nullptr) << other;
    EXPECT_EQ(reread.Find(IconCacheKey("http://example.com/", 0, IconSidesAt(other))), nullptr) << other;
  }
  // Images of another pair's sides are not kept under this key.
  IconCacheTable wrong;
  wrong.Put(key, IconAt(c.sides.small == 16 ? IconSidesAt(144) : IconSides{}, 'x'));
  EXPECT_TRUE(wrong.Find(key)->small.Empty());
  EXPECT_TRUE(wrong.Find(key)->large.Empty());
}

INSTANTIATE_TEST_SUITE_P(Scales, IconCacheSidesTest,
                         testing::Values(SidesCase{96, {16, 32}, 2, 4}, SidesCase{120, {20, 40}, 4, 6},
                                         SidesCase{144, {24, 48}, 4, 6}, SidesCase{192, {32, 64}, 4, 8},
                                         SidesCase{384, {64, 128}, 8, 16}),
                         [](const auto& info) { return "dpi" + std::to_string(info.param.dpi); });

TEST(IconCacheSidesFileTest, SidesBeyondFourTimesAreKeptInMemoryButNotWritten) {
  const IconSides huge = IconSidesAt(432);  // 4.5x
  EXPECT_FALSE(CachedSides(huge));
  EXPECT_TRUE(CachedSides(IconSidesAt(384)));
  IconCacheTable table;
  table.Put(IconCacheKey("C:\\a.exe", 0, huge), IconAt(huge, 'h'));
  table.Put(IconCacheKey("C:\\a.exe", 0), IconAt({}, 'n'));
  EXPECT_NE(table.Find(IconCacheKey("C:\\a.exe", 0, huge)), nullptr);
  IconCacheTable reread;
  ASSERT_TRUE(reread.Decode(table.Encode()));
  EXPECT_EQ(reread.Size(), 1u);
  EXPECT_NE(reread.Find(IconCacheKey("C:\\a.exe", 0)), nullptr);
}

// An entry's sides in the file that no writer makes: the file is refused,
// although its checksum fits.
struct BadSidesCase {
  uint32_t small;
  uint32_t large;
};

class IconCacheBadSidesTest : public testing::TestWithParam<BadSidesCase> {};

TEST_P(IconCacheBadSidesTest, AreRefused) {
  IconCacheTable one;
  one.Put(IconCacheKey("C:\\a.exe", 0), IconAt({}, 'a'));
  std::string file = one.Encode();
  const size_t sidesAt = kIconCacheHeaderBytes + 4 + 8 + 4;
  SetU32(file, sidesAt, GetParam().small);
  SetU32(file, sidesAt + 4, GetParam().large);
  FitHeader(file);
  IconCacheTable table;
  EXPECT_FALSE(table.Decode(file));
  EXPECT_EQ(table.Size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Files, IconCacheBadSidesTest,
                         testing::Values(BadSidesCase{0, 32}, BadSidesCase{16, 0}, BadSidesCase{65, 32},
                                         BadSidesCase{16, 129}, BadSidesCase{24, 32},  // images are 16/32
                                         BadSidesCase{0xFFFFFFFFu, 32}));

// The layout before sides were kept: no side fields, images of 16 and 32.
std::string FirstVersionFile(const std::string& path, char fill) {
  std::string payload;
  PutU32(payload, static_cast<uint32_t>(path.size()));
  payload += path;
  PutU32(payload, 0);  // index
  PutU32(payload, static_cast<uint32_t>(IconStampKind::kFile));
  PutU64(payload, 100);
  PutU64(payload, 200);
  PutU32(payload, 0);
  for (const IconImage& image : {Image(16, fill), Image(32, static_cast<char>(fill + 1))}) {
    PutU32(payload, static_cast<uint32_t>(image.side));
    payload += image.pixels + image.mask;
  }
  std::string file = "QRIC";
  PutU32(file, kIconCacheFirstVersion);
  PutU32(file, 1);
  PutU32(file, 0);
  PutU32(file, 0);
  file += payload;
  FitHeader(file);
  return file;
}

TEST(IconCacheSidesFileTest, AFirstVersionFileReadsAsItsEntriesAt16And32AndIsWrittenAnew) {
  IconCacheTable table;
  ASSERT_TRUE(table.Decode(FirstVersionFile("C:\\old.exe", 'o')));
  EXPECT_TRUE(table.Changed());  // to be written in this version at the next save
  ASSERT_NE(table.Find(IconCacheKey("C:\\old.exe", 0)), nullptr);
  EXPECT_EQ(*table.Find(IconCacheKey("C:\\old.exe", 0)), IconAt({}, 'o'));
  EXPECT_EQ(table.Find(IconCacheKey("C:\\old.exe", 0, IconSidesAt(144))), nullptr);
  const std::string written = table.Encode();
  EXPECT_EQ(GetU32(written, 4), kIconCacheVersion);
  IconCacheTable reread;
  ASSERT_TRUE(reread.Decode(written));
  EXPECT_FALSE(reread.Changed());
  EXPECT_EQ(*reread.Find(IconCacheKey("C:\\old.exe", 0)), IconAt({}, 'o'));
  // A first-version file holding anything but 16/32 images is refused.
  std::string file = FirstVersionFile("C:\\old.exe", 'o');
  const size_t smallSideAt = kIconCacheHeaderBytes + 4 + 10 + 4 + 4 + 8 + 8 + 4;
  SetU32(file, smallSideAt, 24);
  FitHeader(file);
  EXPECT_FALSE(table.Decode(file));
}

TEST(IconCacheSidesFileTest, EntriesThatWouldPassTheLimitAreLeftOut) {
  const IconSides sides = IconSidesAt(384);
  IconCacheTable table;
  for (char c : {'a', 'b', 'c'}) table.Put({std::string(1, c) + ".exe", 0, sides.small, sides.large}, IconAt(sides, c));
  const std::string all = table.Encode();
  const uint64_t perEntry = (all.size() - kIconCacheHeaderBytes) / 3;
  for (uint64_t budget : {kIconCacheHeaderBytes, kIconCacheHeaderBytes + 2 * perEntry,
                          kIconCacheHeaderBytes + 3 * perEntry - 1, kIconCacheHeaderBytes + 3 * perEntry}) {
    const std::string file = table.Encode(budget);
    EXPECT_LE(file.size(), budget);
    IconCacheTable reread;
    ASSERT_TRUE(reread.Decode(file));
    EXPECT_EQ(reread.Size(), (budget - kIconCacheHeaderBytes) / perEntry) << budget;
  }
  // At 4x the limit still holds thousands of entries, at 96 DPI every one.
  EXPECT_GT((kMaxIconCacheFileBytes - kIconCacheHeaderBytes) / perEntry, 4000u);
}

}  // namespace
