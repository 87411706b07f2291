// The icon cache: the images of the buttons' (and bars') icons at the two
// sides the bar draws (16 and 32 pixels at 96 DPI, scaled with the display),
// kept in one file beside the database so that a normal start asks the shell
// for none of them. An entry is keyed by icon path, index and the pair of
// sides its images have: an entry made at 24/48 is never served for 16/32.
// It carries the stamp of what its images were made from: the icon file's
// size and time of its last change, or for drives, folders and web addresses
// their kind. An entry whose stamp no longer matches is looked up again.
//
// File layout (version 2), integers little-endian:
//   "QRIC" | u32 version | u32 entry count | u32 payload bytes | u32 CRC-32 of the payload
//   payload, per entry: text path | i32 index | u32 small side | u32 large side
//                       | u32 stamp kind | u64 size | u64 modified | u32 drive type
//                       | image small | image large
//   sides: 1..kMaxCachedSmallSide and 1..kMaxCachedLargeSide (up to 4x, 384 DPI)
//   image: u32 side (0 for none, else the entry's side of that size)
//          | side*side*4 bytes BGRA, rows top-down
//          | side * IconMaskRowBytes(side) bytes AND mask: rows of `side` bits,
//            highest bit first, each row padded to whole 16-bit words
//   text:  u32 length | bytes
// Entries are written in ascending key order (path, index, small side, large
// side), each key once. Version 1, the layout before sides were kept, has no
// side fields and only 16/32 images; it is read as the 16/32 entries it holds
// and written again as version 2 at the next save.
// Anything else (another magic or version, a wrong length or checksum, an entry
// that does not parse, bytes left over) is not trusted at all: it reads as an
// empty cache, and the next write replaces the file.
#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "icons/button_icon.h"
#include "platform/display_scale.h"

class FileOps;

inline constexpr const char* kIconCacheFileName = "iconcache.dat";
inline constexpr uint32_t kIconCacheVersion = 2;
inline constexpr uint32_t kIconCacheFirstVersion = 1;  // 16/32 only, no side fields
inline constexpr int32_t kSmallIconSide = 16;
inline constexpr int32_t kLargeIconSide = 32;
// The largest sides the file keeps: the icon sides up to 4x (384 DPI). An
// entry of larger sides lives in memory only and is looked up at each start.
inline constexpr int32_t kMaxCachedSmallSide = 64;
inline constexpr int32_t kMaxCachedLargeSide = 128;

// The most entries a cache file holds: the database reaches every button by a
// 16-bit command number, so no more icons than that are ever named.
inline constexpr uint32_t kMaxIconCacheEntries = 1u << 16;
// The largest cache file the program reads or writes: the most entries, each
// with the fixed fields, both images at 16/32 and a path as long as the
// system's paths (MAX_PATH). About 366 MB; a real bar's cache is a few hundred
// kilobytes at 96 DPI and a few times that at larger scales. Entries of larger
// sides take more room, so at a large scale fewer of them fit: the writer
// leaves out the entries (in key order) that would take the file over the
// limit, and those are looked up at each start. A bigger file cannot be one
// the program wrote: it is not read at all (not even into memory once), it
// only makes the start a cold one, and the next write replaces it.
inline constexpr uint64_t kIconCacheHeaderBytes = 20;
// Lengths, index, the two sides, stamp.
inline constexpr uint64_t kIconCacheEntryFixedBytes = 4 + 4 + 4 + 4 + 4 + 8 + 8 + 4;
inline constexpr uint64_t kIconCacheImageBytes = (4 + 16 * 16 * 4 + 16 * 2) + (4 + 32 * 32 * 4 + 32 * 4);
inline constexpr uint64_t kIconCacheMaxPathBytes = 260;
inline constexpr uint64_t kMaxIconCacheFileBytes =
    kIconCacheHeaderBytes +
    kMaxIconCacheEntries * (kIconCacheEntryFixedBytes + kIconCacheImageBytes + kIconCacheMaxPathBytes);

// What an icon's images depend on besides its path and index.
enum class IconStampKind : uint32_t {
  kFile = 1,     // a file: its size and modification time
  kFolder = 2,   // a folder: the shell's folder icon
  kDrive = 3,    // a drive's root: the type of the drive
  kWeb = 4,      // a web address: the program's internet-shortcut file, by its size and time
  kMissing = 5,  // nothing at the path (yet)
};

struct IconStamp {
  IconStampKind kind = IconStampKind::kMissing;
  uint64_t size = 0;
  uint64_t modified = 0;
  uint32_t driveType = 0;
  bool operator==(const IconStamp&) const = default;
};

// One image: BGRA pixels and the AND mask (a set bit is transparent where the
// pixels carry no alpha). Side 0 is "no image": the shell had none.
struct IconImage {
  int32_t side = 0;
  std::string pixels;
  std::string mask;
  bool Empty() const { return side == 0; }
  bool operator==(const IconImage&) const = default;
};

// The pixel and mask sizes an image of this side must have. A mask row is
// padded to whole 16-bit words, as monochrome bitmaps take their rows (the
// same bytes as unpadded rows at 16 and 32).
size_t IconPixelBytes(int32_t side);
size_t IconMaskRowBytes(int32_t side);
size_t IconMaskBytes(int32_t side);

struct CachedIcon {
  IconStamp stamp;
  IconImage small;
  IconImage large;
  bool operator==(const CachedIcon&) const = default;
};

struct IconKey {
  std::string path;
  int32_t index = 0;
  int32_t smallSide = kSmallIconSide;  // the sides of the entry's two images
  int32_t largeSide = kLargeIconSide;
  IconSides Sides() const { return {smallSide, largeSide}; }
  auto operator<=>(const IconKey&) const = default;
};

// The key a button's icon path and index are cached under at a pair of
// sides: the index counts only for icons taken by index from a file, and
// every web address shares the one icon of the program's internet shortcut.
IconKey IconCacheKey(const std::string& iconPath, int32_t iconIndex, IconSides sides = {});

// True when the file keeps entries of these sides.
bool CachedSides(IconSides sides);

class IconCacheTable {
 public:
  const CachedIcon* Find(const IconKey& key) const;
  // Changes the table only when the entry differs from what it holds.
  void Put(const IconKey& key, CachedIcon icon);
  // The image of one size (kSmall or kLarge) made from what `stamp` describes:
  // the start looks up only the size the bar draws. The entry keeps its other
  // image when it was whole and its stamp is unchanged; otherwise it lacks the
  // other size, and is not written to the file, until Complete gives it.
  void PutOneSize(const IconKey& key, const IconStamp& stamp, IconSizes size, IconImage image);
  // The size the entry still lacks; nullopt for a whole entry or none.
  std::optional<IconSizes> Lacks(const IconKey& key) const;
  // Gives an entry the size it lacks; nothing for a whole entry or none.
  void Complete(const IconKey& key, IconImage image);
  // Keeps the entries `keep` answers true for (keys carry their sides).
  void Prune(const std::function<bool(const IconKey&)>& keep);
  size_t Size() const { return entries_.size(); }

  // True when the table no longer matches the file it was read from.
  bool Changed() const { return changed_; }
  void SetChanged(bool changed) { changed_ = changed; }

  // The whole entries of sides the file keeps (CachedSides) only: an entry
  // that lacks a size waits for it. Entries that would take the file over
  // `maxBytes` are left out.
  std::string Encode(uint64_t maxBytes = kMaxIconCacheFileBytes) const;
  // Replaces the table with the file's entries. False, with an empty table
  // that counts as changed, when the bytes are not one whole, intact cache
  // file of this version or the first. A file of the first version reads as
  // changed, so that the next save writes it in this version.
  bool Decode(const std::string& bytes);

 private:
  std::map<IconKey, CachedIcon> entries_;
  std::map<IconKey, IconSizes> lacking_;
  bool changed_ = false;
};

// CRC-32 (the polynomial of zip and PNG).
uint32_t IconCacheCrc32(std::string_view bytes);

// How reading the cache file went. Anything but kWhole leaves an empty table
// that counts as changed: the start is a cold one and the next write replaces
// the file.
enum class IconCacheRead {
  kWhole,
  kMissing,   // no file (or it cannot be looked at)
  kTooLarge,  // over kMaxIconCacheFileBytes: set aside without being read
  kDamaged,   // read, but not an intact cache file of this version
};
// Reads the cache file into `table`, its size checked first.
IconCacheRead ReadIconCacheFile(FileOps& files, const std::string& path, IconCacheTable& table);
// Writes the cache file whole or not at all: the bytes go to "<path>.new",
// which is then renamed over the file, so a write cut off at any moment
// leaves the cache as it was (and no cold start). False when the file is
// unchanged.
bool WriteIconCacheFile(FileOps& files, const std::string& path, const std::string& bytes);

// What the image lists do with one icon while the bar starts.
enum class IconPlan {
  kUseCached,           // the entry's stamp matches the file system now
  kLookUpNow,           // no entry, or a stale one: ask the shell as always
  kUseCachedCheckLater, // a removable or network path: its entry is shown, checked after the first paint
  kBlankLookUpLater,    // the same without an entry: a blank image until after the first paint
};

// `stampNow` is the path's stamp, or nullopt for a path that must not be
// touched yet (removable drives, network paths).
IconPlan PlanIcon(const CachedIcon* cached, const std::optional<IconStamp>& stampNow);
