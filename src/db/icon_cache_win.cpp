#include "db/icon_cache_win.h"

#include <set>
#include <utility>

#include "db/button_icon.h"
#include "db/button_icon_win.h"
#include "db/cdb.h"
#include "db/db_paths.h"
#include "platform/file_ops.h"

namespace {

ButtonIconCache* g_inUse = nullptr;

// Looking at a drive without a medium must not bring up the system's error box.
class QuietErrors {
 public:
  QuietErrors() : old_(::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  ~QuietErrors() { ::SetErrorMode(old_); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;

 private:
  UINT old_;
};

uint64_t Join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

// What is at a path now, told by one look at its attributes.
IconStamp StampOfPath(const std::string& path) {
  QuietErrors quiet;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {IconStampKind::kFolder, 0, 0, 0};
  return {IconStampKind::kFile, Join(data.nFileSizeHigh, data.nFileSizeLow),
          Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime), 0};
}

std::string FullPathOf(const std::string& path) {
  char full[MAX_PATH] = {};
  const DWORD length = path.empty() ? 0 : ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length == 0 || length >= MAX_PATH ? path : std::string(full, length);
}

bool IsDriveRoot(const std::string& full) { return full.size() == 3 && full[1] == ':' && full[2] == '\\'; }

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

// The AND mask as rows of `side` bits; GetDIBits gives rows padded to 4 bytes.
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
  const size_t row = static_cast<size_t>(side) / 8;
  mask.clear();
  for (int32_t y = 0; y < side; ++y) mask.append(padded, y * stride, row);
  return true;
}

IconImage BlankImage(int32_t side) {
  IconImage image;
  image.side = side;
  image.pixels.assign(IconPixelBytes(side), '\0');
  image.mask.assign(IconMaskBytes(side), '\xFF');
  return image;
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

ImageBitmaps MakeImageBitmaps(const IconImage& image) {
  if (image.Empty()) return {};
  BITMAPINFO info = TopDownInfo(image.side, 32);
  void* bits = nullptr;
  ImageBitmaps out;
  out.colour.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  // Mask rows of 16 and 32 bits are already the word-aligned rows CreateBitmap takes.
  out.mask.Reset(::CreateBitmap(image.side, image.side, 1, 1, image.mask.data()));
  if (!out.colour || !bits || !out.mask) return {};
  image.pixels.copy(static_cast<char*>(bits), image.pixels.size());
  return out;
}

namespace {

// Appending the bitmaps is a hundred times faster than appending an icon made
// of them (ImageList_ReplaceIcon draws the icon), and gives the same image.
int AddImage(HIMAGELIST list, const IconImage& image) {
  ImageBitmaps bitmaps = MakeImageBitmaps(image);
  return bitmaps.colour ? ::ImageList_Add(list, bitmaps.colour.Get(), bitmaps.mask.Get()) : -1;
}

}  // namespace

int AppendIconImage(HIMAGELIST list, HICON icon, int32_t side) { return AddImage(list, CaptureIconImage(icon, side)); }

ButtonIconCache::ButtonIconCache(std::string programFolder) : programFolder_(std::move(programFolder)) {}

std::string ButtonIconCache::FilePath() const { return JoinPath(programFolder_, kIconCacheFileName); }

bool ButtonIconCache::Load() {
  std::string bytes;
  if (!PlatformFileOps().ReadAll(FilePath(), bytes)) {
    table_ = {};
    table_.SetChanged(true);
    return false;
  }
  return table_.Decode(bytes);
}

bool ButtonIconCache::Save(const CDB& db) {
  std::set<IconKey> named;
  for (int32_t b = 0; b < db.BarCount(); ++b) {
    const CBar& bar = *db.Bar(b);
    for (int32_t i = 0; i < bar.Count(); ++i) {
      const CD& button = *bar.At(i);
      if (!button.IsSeparator) named.insert(IconCacheKey(button.IconFile, button.IconIndex));
    }
  }
  table_.Prune([&named](const IconKey& key) { return named.count(key) != 0; });
  if (!table_.Changed()) return true;
  if (!PlatformFileOps().WriteAll(FilePath(), table_.Encode())) return false;
  table_.SetChanged(false);
  return true;
}

UINT ButtonIconCache::DriveType(char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  auto known = driveTypes_.find(letter);
  if (known == driveTypes_.end()) {
    const char root[4] = {letter, ':', '\\', '\0'};
    known = driveTypes_.emplace(letter, ::GetDriveTypeA(root)).first;
  }
  return known->second;
}

bool ButtonIconCache::SlowPath(const std::string& full) {
  if (full.size() >= 2 && (full[0] == '\\' || full[0] == '/') && (full[1] == '\\' || full[1] == '/')) return true;
  if (full.size() < 2 || full[1] != ':') return false;
  const UINT type = DriveType(full[0]);
  return type == DRIVE_REMOTE || type == DRIVE_REMOVABLE || type == DRIVE_CDROM;
}

std::optional<IconStamp> ButtonIconCache::StampNow(const std::string& iconFile, bool mayTouchSlowPaths) {
  if (ClassifyIconPath(iconFile) == IconSource::WebShortcut) {
    IconStamp stamp = StampOfPath(WebShortcutPath(programFolder_));
    stamp.kind = IconStampKind::kWeb;
    return stamp;
  }
  const std::string full = FullPathOf(iconFile);
  // Not even a slow drive's root: the shell's look-up of it would touch it.
  if (!mayTouchSlowPaths && SlowPath(full)) return std::nullopt;
  // A drive's icon follows its type, which the system knows without the medium.
  if (IsDriveRoot(full)) return IconStamp{IconStampKind::kDrive, 0, 0, DriveType(full[0])};
  return StampOfPath(full);
}

const CachedIcon& ButtonIconCache::LookUp(const IconKey& key, const std::string& iconFile, int32_t iconIndex,
                                          const IconStamp& stamp) {
  ++lookUps_;
  ButtonIcons icons = GetButtonIconOrGeneric(iconFile, iconIndex, programFolder_);
  table_.Put(key, {stamp, CaptureIconImage(icons.Small.Get(), kSmallIconSide),
                   CaptureIconImage(icons.Large.Get(), kLargeIconSide)});
  return *table_.Find(key);
}

int ButtonIconCache::AppendImage(HIMAGELIST list, const IconImage& image) { return AddImage(list, image); }

ImagePositions ButtonIconCache::Append(HIMAGELIST small, HIMAGELIST large, bool largeShown,
                                       const std::string& iconFile, int32_t iconIndex) {
  const IconKey key = IconCacheKey(iconFile, iconIndex);
  const CachedIcon* cached = table_.Find(key);
  if (!starting_) {
    const IconStamp stamp = *StampNow(iconFile, true);
    if (!cached || !(cached->stamp == stamp)) cached = &LookUp(key, iconFile, iconIndex, stamp);
    return {AppendImage(small, cached->small), AppendImage(large, cached->large)};
  }

  if (small != small_ || large != large_) {
    small_ = small;
    large_ = large;
    largeShown_ = largeShown;
    deferred_.clear();
  }
  HIMAGELIST shown = largeShown ? large : small;
  const int32_t side = largeShown ? kLargeIconSide : kSmallIconSide;
  auto shownImage = [largeShown](const CachedIcon& icon) -> const IconImage& {
    return largeShown ? icon.large : icon.small;
  };
  Deferred later{key, iconFile, iconIndex};
  const std::optional<IconStamp> stamp = StampNow(iconFile, false);
  switch (PlanIcon(cached, stamp)) {
    case IconPlan::kLookUpNow:
      cached = &LookUp(key, iconFile, iconIndex, *stamp);
      [[fallthrough]];
    case IconPlan::kUseCached:
      later.shownPosition = AppendImage(shown, shownImage(*cached));
      break;
    case IconPlan::kUseCachedCheckLater:
    case IconPlan::kBlankLookUpLater:
      // A place is kept in any case, so the image found afterwards can go there.
      later.check = true;
      later.shownPosition = AppendImage(shown, cached && !shownImage(*cached).Empty() ? shownImage(*cached)
                                                                                      : BlankImage(side));
      break;
  }
  deferred_.push_back(later);
  ImagePositions positions;
  (largeShown ? positions.Large : positions.Small) = later.shownPosition;
  return positions;
}

void ButtonIconCache::ForgetLists(HIMAGELIST small, HIMAGELIST large) {
  if (small != small_ || large != large_ || !small_) return;
  small_ = large_ = nullptr;
  deferred_.clear();
}

bool ButtonIconCache::FinishStartup(const CDB& db) {
  if (!starting_) return false;
  starting_ = false;
  bool changed = false;
  if (small_ && large_) {
    HIMAGELIST shown = largeShown_ ? large_ : small_;
    HIMAGELIST other = largeShown_ ? small_ : large_;
    const int32_t side = largeShown_ ? kLargeIconSide : kSmallIconSide;
    for (const Deferred& later : deferred_) {
      const CachedIcon* cached = table_.Find(later.key);
      if (later.check) {
        const IconStamp stamp = *StampNow(later.iconFile, true);
        if (!cached || !(cached->stamp == stamp)) {
          cached = &LookUp(later.key, later.iconFile, later.iconIndex, stamp);
          const IconImage& image = largeShown_ ? cached->large : cached->small;
          ImageBitmaps bitmaps = MakeImageBitmaps(image.Empty() ? BlankImage(side) : image);
          if (later.shownPosition >= 0 && bitmaps.colour &&
              ::ImageList_Replace(shown, later.shownPosition, bitmaps.colour.Get(), bitmaps.mask.Get()))
            changed = true;
        }
      }
      AppendImage(other, cached ? (largeShown_ ? cached->small : cached->large) : IconImage{});
    }
  }
  small_ = large_ = nullptr;
  deferred_.clear();
  Save(db);
  return changed;
}

IconCacheInUse::IconCacheInUse(ButtonIconCache& cache) { g_inUse = &cache; }

IconCacheInUse::~IconCacheInUse() { g_inUse = nullptr; }

ButtonIconCache* IconCacheForImageLists() { return g_inUse; }
