#include "icons/icon_cache.h"

#include <array>
#include <new>

#include "icons/button_icon.h"
#include "platform/byte_codec.h"
#include "platform/file_ops.h"

namespace {

constexpr char kMagic[4] = {'Q', 'R', 'I', 'C'};
constexpr size_t kHeaderBytes = kIconCacheHeaderBytes;
// It also keeps a damaged count from asking for memory the file cannot back.
constexpr uint32_t kMaxEntries = kMaxIconCacheEntries;
constexpr uint32_t kMaxPathBytes = 32768;
// A web address has no path of its own to cache under; '*' is never part of a
// Windows path, so this key cannot meet a real one.
constexpr const char* kWebKeyPath = "*web*";

void PutImage(std::string& out, const IconImage& image) {
  PutU32(out, static_cast<uint32_t>(image.side));
  out += image.pixels;
  out += image.mask;
}

class Reader : public ByteReader {
 public:
  using ByteReader::ByteReader;

  bool Text(std::string& out) {
    uint32_t n = 0;
    return U32(n) && n <= kMaxPathBytes && Bytes(n, out);
  }
  bool Image(int32_t expectedSide, IconImage& image) {
    uint32_t side = 0;
    if (!U32(side)) return false;
    if (side == 0) {
      image = {};
      return true;
    }
    if (side != static_cast<uint32_t>(expectedSide)) return false;
    image.side = expectedSide;
    return Bytes(IconPixelBytes(expectedSide), image.pixels) && Bytes(IconMaskBytes(expectedSide), image.mask);
  }
};

bool KnownStampKind(uint32_t kind) {
  return kind >= static_cast<uint32_t>(IconStampKind::kFile) && kind <= static_cast<uint32_t>(IconStampKind::kMissing);
}

bool CachedSide(uint32_t side, int32_t most) { return side >= 1 && side <= static_cast<uint32_t>(most); }

// A first-version entry has no sides: its images are 16 and 32 pixels.
bool ReadEntry(Reader& in, uint32_t version, IconKey& key, CachedIcon& icon) {
  uint32_t index = 0;
  uint32_t kind = 0;
  if (!in.Text(key.path) || !in.U32(index)) return false;
  key.index = static_cast<int32_t>(index);
  if (version != kIconCacheFirstVersion) {
    uint32_t small = 0;
    uint32_t large = 0;
    if (!in.U32(small) || !in.U32(large) || !CachedSide(small, kMaxCachedSmallSide) ||
        !CachedSide(large, kMaxCachedLargeSide))
      return false;
    key.smallSide = static_cast<int32_t>(small);
    key.largeSide = static_cast<int32_t>(large);
  }
  if (!in.U32(kind) || !KnownStampKind(kind)) return false;
  icon.stamp.kind = static_cast<IconStampKind>(kind);
  return in.U64(icon.stamp.size) && in.U64(icon.stamp.modified) && in.U32(icon.stamp.driveType) &&
         in.Image(key.smallSide, icon.small) && in.Image(key.largeSide, icon.large);
}

void PutEntry(std::string& out, const IconKey& key, const CachedIcon& icon) {
  PutU32(out, static_cast<uint32_t>(key.path.size()));
  out += key.path;
  PutU32(out, static_cast<uint32_t>(key.index));
  PutU32(out, static_cast<uint32_t>(key.smallSide));
  PutU32(out, static_cast<uint32_t>(key.largeSide));
  PutU32(out, static_cast<uint32_t>(icon.stamp.kind));
  PutU64(out, icon.stamp.size);
  PutU64(out, icon.stamp.modified);
  PutU32(out, icon.stamp.driveType);
  PutImage(out, icon.small);
  PutImage(out, icon.large);
}

// An image of the wrong shape would make a file that no reader trusts: it is
// kept as no image at all.
IconImage WellShaped(IconImage image, int32_t side) {
  if (image.Empty()) return image;
  if (image.side != side || image.pixels.size() != IconPixelBytes(side) || image.mask.size() != IconMaskBytes(side))
    return {};
  return image;
}

int32_t SideOf(const IconKey& key, bool large) { return large ? key.largeSide : key.smallSide; }

std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

}  // namespace

size_t IconPixelBytes(int32_t side) { return static_cast<size_t>(side) * static_cast<size_t>(side) * 4; }

size_t IconMaskRowBytes(int32_t side) { return (static_cast<size_t>(side) + 15) / 16 * 2; }

size_t IconMaskBytes(int32_t side) { return IconMaskRowBytes(side) * static_cast<size_t>(side); }

IconKey IconCacheKey(const std::string& iconPath, int32_t iconIndex, IconSides sides) {
  IconKey key{iconPath, 0, sides.small, sides.large};
  switch (ClassifyIconPath(iconPath)) {
    case IconSource::IndexedFile: key.index = iconIndex; break;
    case IconSource::WebShortcut: key.path = kWebKeyPath; break;
    case IconSource::Shell: break;
  }
  return key;
}

bool CachedSides(IconSides sides) {
  return sides.small >= 1 && sides.small <= kMaxCachedSmallSide && sides.large >= 1 &&
         sides.large <= kMaxCachedLargeSide;
}

uint32_t IconCacheCrc32(std::string_view bytes) {
  static const std::array<uint32_t, 256> table = MakeCrcTable();
  uint32_t crc = 0xFFFFFFFFu;
  for (char c : bytes) crc = table[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

const CachedIcon* IconCacheTable::Find(const IconKey& key) const {
  auto found = entries_.find(key);
  return found == entries_.end() ? nullptr : &found->second;
}

void IconCacheTable::Put(const IconKey& key, CachedIcon icon) {
  icon.small = WellShaped(std::move(icon.small), key.smallSide);
  icon.large = WellShaped(std::move(icon.large), key.largeSide);
  const bool wasLacking = lacking_.erase(key) > 0;
  auto found = entries_.find(key);
  if (!wasLacking && found != entries_.end() && found->second == icon) return;
  entries_[key] = std::move(icon);
  changed_ = true;
}

void IconCacheTable::PutOneSize(const IconKey& key, const IconStamp& stamp, IconSizes size, IconImage image) {
  const bool large = size == IconSizes::kLarge;
  image = WellShaped(std::move(image), SideOf(key, large));
  auto found = entries_.find(key);
  if (found != entries_.end() && found->second.stamp == stamp && !lacking_.count(key)) {
    // The same file: the other size the entry holds is still its image.
    IconImage& held = large ? found->second.large : found->second.small;
    if (held == image) return;
    held = std::move(image);
  } else {
    CachedIcon icon;
    icon.stamp = stamp;
    (large ? icon.large : icon.small) = std::move(image);
    entries_[key] = std::move(icon);
    lacking_[key] = large ? IconSizes::kSmall : IconSizes::kLarge;
  }
  changed_ = true;
}

std::optional<IconSizes> IconCacheTable::Lacks(const IconKey& key) const {
  auto found = lacking_.find(key);
  return found == lacking_.end() ? std::nullopt : std::optional<IconSizes>(found->second);
}

void IconCacheTable::Complete(const IconKey& key, IconImage image) {
  auto lacking = lacking_.find(key);
  if (lacking == lacking_.end()) return;
  const bool large = lacking->second == IconSizes::kLarge;
  CachedIcon& icon = entries_[key];
  (large ? icon.large : icon.small) = WellShaped(std::move(image), SideOf(key, large));
  lacking_.erase(lacking);
  changed_ = true;
}

void IconCacheTable::Prune(const std::function<bool(const IconKey&)>& keep) {
  std::erase_if(lacking_, [&](const auto& entry) { return !keep(entry.first); });
  if (std::erase_if(entries_, [&](const auto& entry) { return !keep(entry.first); }) > 0) changed_ = true;
}

std::string IconCacheTable::Encode(uint64_t maxBytes) const {
  std::string payload;
  uint32_t count = 0;
  for (const auto& [key, icon] : entries_) {
    if (lacking_.count(key) || !CachedSides(key.Sides()) || count == kMaxEntries) continue;
    const size_t before = payload.size();
    PutEntry(payload, key, icon);
    if (kHeaderBytes + payload.size() > maxBytes) {
      payload.resize(before);  // left out: looked up again at the next start
      continue;
    }
    ++count;
  }
  std::string out(kMagic, sizeof kMagic);
  PutU32(out, kIconCacheVersion);
  PutU32(out, count);
  PutU32(out, static_cast<uint32_t>(payload.size()));
  PutU32(out, IconCacheCrc32(payload));
  return out + payload;
}

bool IconCacheTable::Decode(const std::string& bytes) {
  entries_.clear();
  lacking_.clear();
  changed_ = true;  // until the file proves whole, it is to be replaced
  if (bytes.size() < kHeaderBytes || bytes.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0) return false;
  Reader header(bytes, sizeof kMagic);
  uint32_t version = 0;
  uint32_t count = 0;
  uint32_t payloadBytes = 0;
  uint32_t crc = 0;
  header.U32(version);
  header.U32(count);
  header.U32(payloadBytes);
  header.U32(crc);
  if ((version != kIconCacheVersion && version != kIconCacheFirstVersion) || count > kMaxEntries || payloadBytes != bytes.size() - kHeaderBytes ||
      crc != IconCacheCrc32(std::string_view(bytes).substr(kHeaderBytes)))
    return false;

  Reader in(bytes, kHeaderBytes);
  std::map<IconKey, CachedIcon> entries;
  for (uint32_t i = 0; i < count; ++i) {
    IconKey key;
    CachedIcon icon;
    if (!ReadEntry(in, version, key, icon)) return false;
    // The writer puts each key once, in ascending order; a file that does not
    // was not written by it.
    if (!entries.empty() && !(entries.rbegin()->first < key)) return false;
    entries.emplace_hint(entries.end(), std::move(key), std::move(icon));
  }
  if (in.Left() != 0) return false;
  entries_ = std::move(entries);
  // A first-version file is written again in this version.
  changed_ = version != kIconCacheVersion;
  return true;
}

IconPlan PlanIcon(const CachedIcon* cached, const std::optional<IconStamp>& stampNow) {
  if (!stampNow) return cached ? IconPlan::kUseCachedCheckLater : IconPlan::kBlankLookUpLater;
  return cached && cached->stamp == *stampNow ? IconPlan::kUseCached : IconPlan::kLookUpNow;
}

IconCacheRead ReadIconCacheFile(FileOps& files, const std::string& path, IconCacheTable& table) {
  table = {};
  table.SetChanged(true);
  unsigned long long size = 0;
  if (!files.SizeOf(path, size)) return IconCacheRead::kMissing;
  if (size > kMaxIconCacheFileBytes) return IconCacheRead::kTooLarge;
  try {
    std::string bytes;
    if (!files.ReadAll(path, bytes)) return IconCacheRead::kMissing;
    return table.Decode(bytes) ? IconCacheRead::kWhole : IconCacheRead::kDamaged;
  } catch (const std::bad_alloc&) {
    // A file within the limit may still not fit in what memory is left: the
    // start does without it.
    table = {};
    table.SetChanged(true);
    return IconCacheRead::kTooLarge;
  }
}

bool WriteIconCacheFile(FileOps& files, const std::string& path, const std::string& bytes) {
  const std::string fresh = path + ".new";
  if (files.WriteAll(fresh, bytes) && files.Move(fresh, path)) return true;
  files.Delete(fresh);
  return false;
}
