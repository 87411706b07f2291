#include "icons/icon_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/file_ops_host.h"
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

TEST(IconCacheLimit, ACacheOfTheMostEntriesWithSystemLengthPathsFits) {
  IconCacheTable table;
  for (int i = 0; i < 3; ++i)
    table.Put({std::string(kIconCacheMaxPathBytes, static_cast<char>('a' + i)), i}, FileIcon(1, 1, 'f'));
  const uint64_t perEntry = (table.Encode().size() - kIconCacheHeaderBytes) / 3;
  EXPECT_EQ(kIconCacheHeaderBytes + kMaxIconCacheEntries * perEntry, kMaxIconCacheFileBytes);
}

}  // namespace
