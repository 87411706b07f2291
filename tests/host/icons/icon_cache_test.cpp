#include "icons/icon_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/byte_codec.h"
#include "platform/file_ops_host.h"
#include "support/file_ops_memory.h"
#include "support/scratch_folder.h"

namespace {

IconImage Image(int32_t side, char fill) {
  IconImage image;
  image.side = side;
  image.pixels.assign(IconPixelBytes(side), fill);
  image.mask.assign(IconMaskBytes(side), static_cast<char>(~fill));
  return image;
}

CachedIcon FileIcon(uint64_t size, uint64_t modified, char fill) {
  return {{IconStampKind::kFile, size, modified, 0}, Image(kSmallIconSide, fill), Image(kLargeIconSide, fill)};
}

IconCacheTable SampleTable() {
  IconCacheTable table;
  table.Put({"C:\\Windows\\notepad.exe", 0}, FileIcon(69632, 0x01D0000012345678ull, 'n'));
  table.Put({"C:\\Windows\\system32\\shell32.dll", 4}, FileIcon(2000000, 7, 's'));
  table.Put({"C:\\", 0}, {{IconStampKind::kDrive, 0, 0, 3}, Image(kSmallIconSide, 'c'), Image(kLargeIconSide, 'C')});
  // The shell had no image for it: an entry without images is kept as well.
  table.Put({"D:\\gone.txt", 0}, {{IconStampKind::kMissing, 0, 0, 0}, {}, {}});
  return table;
}

TEST(IconCacheFileTest, WhatIsWrittenReadsBackTheSame) {
  const IconCacheTable table = SampleTable();
  IconCacheTable reread;
  ASSERT_TRUE(reread.Decode(table.Encode()));
  EXPECT_FALSE(reread.Changed());
  EXPECT_EQ(reread.Size(), 4u);
  for (const IconKey& key : {IconKey{"C:\\Windows\\notepad.exe", 0}, IconKey{"C:\\Windows\\system32\\shell32.dll", 4},
                             IconKey{"C:\\", 0}, IconKey{"D:\\gone.txt", 0}}) {
    ASSERT_NE(reread.Find(key), nullptr) << key.path;
    EXPECT_EQ(*reread.Find(key), *table.Find(key)) << key.path;
  }
  EXPECT_EQ(reread.Encode(), table.Encode());
}

TEST(IconCacheFileTest, AnEmptyCacheIsAWholeFileToo) {
  IconCacheTable reread;
  ASSERT_TRUE(reread.Decode(IconCacheTable().Encode()));
  EXPECT_EQ(reread.Size(), 0u);
}

// Any file that is not whole and ours is ignored entirely: the table comes back
// empty and counts as changed, so the next write replaces the file.
struct DamageCase {
  const char* what;
  void (*damage)(std::string& file);
};

class DamagedCacheFileTest : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedCacheFileTest, IsNotTrustedAtAll) {
  std::string file = SampleTable().Encode();
  GetParam().damage(file);
  IconCacheTable table;
  table.Put({"left over", 0}, FileIcon(1, 1, 'x'));
  EXPECT_FALSE(table.Decode(file));
  EXPECT_EQ(table.Size(), 0u);
  EXPECT_TRUE(table.Changed());
}

void SetU32(std::string& file, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedCacheFileTest,
    testing::Values(
        DamageCase{"missing (no bytes)", [](std::string& f) { f.clear(); }},
        DamageCase{"foreign: another program's file", [](std::string& f) { f = "MZ\x90\0 this is not an icon cache"; }},
        DamageCase{"foreign: another magic", [](std::string& f) { f[0] = 'X'; }},
        DamageCase{"another version", [](std::string& f) { SetU32(f, 4, kIconCacheVersion + 1); }},
        DamageCase{"a flipped pixel", [](std::string& f) { f[f.size() / 2] ^= 0x01; }},
        DamageCase{"cut short", [](std::string& f) { f.resize(f.size() - 1); }},
        DamageCase{"only the header", [](std::string& f) { f.resize(20); }},
        DamageCase{"bytes appended", [](std::string& f) { f += "more"; }},
        DamageCase{"a wrong entry count", [](std::string& f) { SetU32(f, 8, 5); }},
        DamageCase{"a huge entry count", [](std::string& f) { SetU32(f, 8, 0xFFFFFFFFu); }}),
    [](const testing::TestParamInfo<DamageCase>& info) { return "case" + std::to_string(info.index); });

// A file whose checksum matches but whose entries do not parse is refused as well.
TEST(IconCacheFileTest, EntriesThatDoNotParseAreRefusedEvenWithTheRightChecksum) {
  IconCacheTable one;
  one.Put({"C:\\a.exe", 0}, FileIcon(1, 2, 'a'));
  std::string file = one.Encode();
  // The small image's side, after path (4 + 8), index, the two sides, kind,
  // size, time, drive type.
  const size_t sideAt = 20 + 4 + 8 + 4 + 4 + 4 + 4 + 8 + 8 + 4;
  SetU32(file, sideAt, 24);
  SetU32(file, 16, IconCacheCrc32(file.substr(20)));
  IconCacheTable table;
  EXPECT_FALSE(table.Decode(file));
}

TEST(IconCacheTableTest, PutCountsAsAChangeOnlyWhenTheEntryDiffers) {
  IconCacheTable table;
  ASSERT_TRUE(table.Decode(SampleTable().Encode()));
  table.Put({"C:\\Windows\\notepad.exe", 0}, FileIcon(69632, 0x01D0000012345678ull, 'n'));
  EXPECT_FALSE(table.Changed());
  table.Put({"C:\\Windows\\notepad.exe", 0}, FileIcon(69632, 0x01D0000012345679ull, 'n'));
  EXPECT_TRUE(table.Changed());
}

TEST(IconCacheTableTest, ImagesOfTheWrongShapeAreNotKept) {
  IconCacheTable table;
  CachedIcon icon = FileIcon(1, 1, 'q');
  icon.small.pixels.pop_back();
  icon.large.side = kSmallIconSide;
  table.Put({"C:\\q.exe", 0}, icon);
  EXPECT_TRUE(table.Find({"C:\\q.exe", 0})->small.Empty());
  EXPECT_TRUE(table.Find({"C:\\q.exe", 0})->large.Empty());
  IconCacheTable reread;
  EXPECT_TRUE(reread.Decode(table.Encode()));
}

TEST(IconCacheTableTest, PruneKeepsWhatTheButtonsStillName) {
  IconCacheTable table;
  ASSERT_TRUE(table.Decode(SampleTable().Encode()));
  table.Prune([](const IconKey& key) { return key.path != "D:\\gone.txt"; });
  EXPECT_TRUE(table.Changed());
  EXPECT_EQ(table.Size(), 3u);
  EXPECT_EQ(table.Find({"D:\\gone.txt", 0}), nullptr);
}

// While the bar starts only the drawn size is looked up; such an entry lacks
// the other size until it is completed, and only whole entries reach the file.
TEST(IconCacheTableTest, AnEntryOfOneSizeWaitsForTheOtherBeforeItIsWritten) {
  const IconKey key{"C:\\tool.exe", 0};
  const IconStamp stamp{IconStampKind::kFile, 10, 20, 0};
  for (IconSizes drawn : {IconSizes::kSmall, IconSizes::kLarge}) {
    const bool large = drawn == IconSizes::kLarge;
    const IconSizes other = large ? IconSizes::kSmall : IconSizes::kLarge;
    const IconImage drawnImage = Image(large ? kLargeIconSide : kSmallIconSide, 'd');
    const IconImage otherImage = Image(large ? kSmallIconSide : kLargeIconSide, 'o');
    IconCacheTable table;
    ASSERT_TRUE(table.Decode(IconCacheTable().Encode()));
    table.PutOneSize(key, stamp, drawn, drawnImage);
    EXPECT_TRUE(table.Changed());
    EXPECT_EQ(table.Lacks(key), other);
    EXPECT_EQ(large ? table.Find(key)->large : table.Find(key)->small, drawnImage);
    IconCacheTable written;
    ASSERT_TRUE(written.Decode(table.Encode()));
    EXPECT_EQ(written.Size(), 0u);

    table.Complete(key, otherImage);
    EXPECT_EQ(table.Lacks(key), std::nullopt);
    ASSERT_TRUE(written.Decode(table.Encode()));
    ASSERT_NE(written.Find(key), nullptr);
    EXPECT_EQ(*written.Find(key), *table.Find(key));
    EXPECT_EQ(large ? written.Find(key)->small : written.Find(key)->large, otherImage);
    // Completing a whole entry changes nothing.
    table.Complete(key, Image(large ? kSmallIconSide : kLargeIconSide, 'x'));
    EXPECT_EQ(*table.Find(key), *written.Find(key));
  }
}

TEST(IconCacheTableTest, OneSizeOfAnUnchangedFileKeepsTheOtherAndANewFileLacksIt) {
  const IconKey key{"C:\\Windows\\notepad.exe", 0};
  const CachedIcon whole = FileIcon(69632, 0x01D0000012345678ull, 'n');
  IconCacheTable table;
  table.Put(key, whole);
  table.PutOneSize(key, whole.stamp, IconSizes::kSmall, Image(kSmallIconSide, 's'));
  EXPECT_EQ(table.Lacks(key), std::nullopt);
  EXPECT_EQ(table.Find(key)->large, whole.large);
  EXPECT_EQ(table.Find(key)->small, Image(kSmallIconSide, 's'));

  IconStamp newer = whole.stamp;
  newer.modified += 1;
  table.PutOneSize(key, newer, IconSizes::kSmall, Image(kSmallIconSide, 't'));
  EXPECT_EQ(table.Lacks(key), IconSizes::kLarge);
  EXPECT_TRUE(table.Find(key)->large.Empty());
  // A whole entry put over it is whole again; so is nothing after a prune.
  table.Put(key, whole);
  EXPECT_EQ(table.Lacks(key), std::nullopt);
  table.PutOneSize(key, newer, IconSizes::kLarge, Image(kLargeIconSide, 'l'));
  table.Prune([](const IconKey&) { return false; });
  EXPECT_EQ(table.Lacks(key), std::nullopt);
  EXPECT_EQ(table.Find(key), nullptr);
}

struct KeyCase {
  const char* path;
  int32_t index;
  IconKey expected;
};

class IconCacheKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(IconCacheKeyTest, FollowsHowTheIconIsFound) {
  EXPECT_EQ(IconCacheKey(GetParam().path, GetParam().index), GetParam().expected) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, IconCacheKeyTest,
    testing::Values(KeyCase{"C:\\Windows\\notepad.exe", 2, {"C:\\Windows\\notepad.exe", 2}},
                    KeyCase{"C:\\Windows\\SHELL32.DLL", 4, {"C:\\Windows\\SHELL32.DLL", 4}},
                    // The shell's icon of a path does not use the index.
                    KeyCase{"C:\\Documents\\report.doc", 3, {"C:\\Documents\\report.doc", 0}},
                    KeyCase{"C:\\Windows\\notepad.Exe", 3, {"C:\\Windows\\notepad.Exe", 0}},
                    // Every web address has the one icon of the program's internet shortcut.
                    KeyCase{"http://www.example.com/", 0, {"*web*", 0}},
                    KeyCase{"ftp://files.example.com/x", 7, {"*web*", 0}}));

TEST(IconPlanTest, DecidesBetweenCacheShellAndLater) {
  const CachedIcon cached = FileIcon(10, 20, 'p');
  const IconStamp same = cached.stamp;
  IconStamp newer = same;
  newer.modified += 1;
  IconStamp bigger = same;
  bigger.size += 1;
  IconStamp folder;
  folder.kind = IconStampKind::kFolder;

  EXPECT_EQ(PlanIcon(&cached, same), IconPlan::kUseCached);
  EXPECT_EQ(PlanIcon(&cached, newer), IconPlan::kLookUpNow);   // stale: the file changed
  EXPECT_EQ(PlanIcon(&cached, bigger), IconPlan::kLookUpNow);
  EXPECT_EQ(PlanIcon(&cached, folder), IconPlan::kLookUpNow);  // now something else is there
  EXPECT_EQ(PlanIcon(nullptr, same), IconPlan::kLookUpNow);    // never seen
  // Removable and network paths are not touched before the first paint.
  EXPECT_EQ(PlanIcon(&cached, std::nullopt), IconPlan::kUseCachedCheckLater);
  EXPECT_EQ(PlanIcon(nullptr, std::nullopt), IconPlan::kBlankLookUpLater);
}

TEST(IconCacheCrcTest, IsTheCrcOfZipAndPng) {
  EXPECT_EQ(IconCacheCrc32(""), 0u);
  EXPECT_EQ(IconCacheCrc32("123456789"), 0xCBF43926u);
}

}  // namespace

// --- reading the file: its size first, then its bytes ----------------------

namespace {

// The plain files, with the whole-file reads counted and, where given, the
// size the file system tells instead of the file's own.
class CountingFileOps : public HostFileOps {
 public:
  bool ReadAll(const std::string& path, std::string& bytes) override {
    ++reads;
    return HostFileOps::ReadAll(path, bytes);
  }
  bool SizeOf(const std::string& path, unsigned long long& size) override {
    if (!HostFileOps::SizeOf(path, size)) return false;
    if (toldSize) size = *toldSize;
    return true;
  }
  int reads = 0;
  std::optional<unsigned long long> toldSize;
};

enum class CacheFile { kNone, kWritten, kFlipped, kToldAtLimit, kToldOverLimit, kSparseOverLimit };

struct ReadCase {
  const char* name;
  CacheFile file;
  IconCacheRead expected;
  int reads;
};

class IconCacheReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IconCacheReadTest, OnlyAnIntactFileWithinTheLimitFillsTheTable) {
  const ReadCase& c = GetParam();
  ScratchFolder folder;
  const std::string path = folder.File(kIconCacheFileName);
  std::string bytes = SampleTable().Encode();
  if (c.file == CacheFile::kFlipped) bytes[bytes.size() - 3] ^= 0x40;
  if (c.file != CacheFile::kNone) ASSERT_TRUE(WriteBytes(path, bytes));
  // A sparse file over the limit: nothing of it is to be read.
  if (c.file == CacheFile::kSparseOverLimit) std::filesystem::resize_file(path, kMaxIconCacheFileBytes + 1);
  CountingFileOps files;
  if (c.file == CacheFile::kToldAtLimit) files.toldSize = kMaxIconCacheFileBytes;
  if (c.file == CacheFile::kToldOverLimit) files.toldSize = kMaxIconCacheFileBytes + 1;
  IconCacheTable table;
  table.Put({"C:\\left\\over.exe", 0}, FileIcon(1, 1, 'x'));
  table.SetChanged(false);

  EXPECT_EQ(ReadIconCacheFile(files, path, table), c.expected);
  EXPECT_EQ(files.reads, c.reads);
  const bool whole = c.expected == IconCacheRead::kWhole;
  EXPECT_EQ(table.Size(), whole ? SampleTable().Size() : 0u);
  // Anything but a whole file is a cold start whose cache is written anew.
  EXPECT_EQ(table.Changed(), !whole);
}

// A file the size of the limit is read; one byte more is not read at all.
INSTANTIATE_TEST_SUITE_P(Files, IconCacheReadTest,
                         ::testing::Values(ReadCase{"Written", CacheFile::kWritten, IconCacheRead::kWhole, 1},
                                           ReadCase{"None", CacheFile::kNone, IconCacheRead::kMissing, 0},
                                           ReadCase{"Flipped", CacheFile::kFlipped, IconCacheRead::kDamaged, 1},
                                           ReadCase{"AtLimit", CacheFile::kToldAtLimit, IconCacheRead::kWhole, 1},
                                           ReadCase{"OverLimit", CacheFile::kToldOverLimit, IconCacheRead::kTooLarge, 0},
                                           ReadCase{"SparseOverLimit", CacheFile::kSparseOverLimit, IconCacheRead::kTooLarge, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The process dies at any moment of a write: the next start reads the old
// cache or the new one, whole, and is never a cold one.
TEST(IconCacheFileTest, AWriteCutOffAnywhereLeavesAWholeCache) {
  const std::string path = "C:\\P\\iconcache.dat";
  IconCacheTable newer = SampleTable();
  newer.Put({"C:\\new.exe", 0}, FileIcon(1, 2, 'w'));
  for (int changes = 0; changes <= 3; ++changes) {
    MemoryFileSystem files;
    files.Put(path, SampleTable().Encode());
    files.KillAfter(changes);
    const bool written = WriteIconCacheFile(files, path, newer.Encode());
    files.Revive();
    IconCacheTable read;
    EXPECT_EQ(ReadIconCacheFile(files, path, read), IconCacheRead::kWhole) << changes;
    EXPECT_EQ(read.Size(), written ? newer.Size() : SampleTable().Size()) << changes;
  }
}

TEST(IconCacheLimit, ACacheOfTheMostEntriesWithSystemLengthPathsFits) {
  IconCacheTable table;
  for (int i = 0; i < 3; ++i)
    table.Put({std::string(kIconCacheMaxPathBytes, static_cast<char>('a' + i)), i}, FileIcon(1, 1, 'f'));
  const uint64_t perEntry = (table.Encode().size() - kIconCacheHeaderBytes) / 3;
  EXPECT_EQ(kIconCacheHeaderBytes + kMaxIconCacheEntries * perEntry, kMaxIconCacheFileBytes);
}

}  // namespace

// The icon cache at the display's icon sides: entries are kept per pair of
// sides, the file carries each entry's sides, files of the first version read
// as their 16/32 entries, and the file keeps to its size limit.
namespace {

CachedIcon IconAt(IconSides sides, char fill) {
  return {{IconStampKind::kFile, 100, 200, 0}, Image(sides.small, fill), Image(sides.large, static_cast<char>(fill + 1))};
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
