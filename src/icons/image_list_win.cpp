#include "icons/image_list_win.h"

#include "icons/button_icon_win.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "icons/image_list.h"

namespace {

UniqueImageList CreateIconList(int size) {
  return UniqueImageList(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 0, 1));
}

// Looks up each button's icons and appends their images (taken as bitmaps, not
// drawn); the icons are destroyed once the lists hold their copies. An icon that cannot be found is replaced by a
// generic one: a button without an image is a blank slot nobody can see.
class IconListSink final : public ButtonImageSink {
 public:
  IconListSink(HIMAGELIST small, HIMAGELIST large, IconSides sides, const std::string& programFolder)
      : small_(small), large_(large), sides_(sides), programFolder_(programFolder) {}

  ImagePositions Append(const std::string& iconFile, int32_t iconIndex) override {
    ButtonIcons icons = GetButtonIconOrGeneric(iconFile, iconIndex, programFolder_, IconSizes::kBoth, sides_);
    return {AppendIconImage(small_, icons.Small.Get(), sides_.small),
            AppendIconImage(large_, icons.Large.Get(), sides_.large)};
  }

 private:
  HIMAGELIST small_;
  HIMAGELIST large_;
  IconSides sides_;
  const std::string& programFolder_;
};

// The same from the icon cache: the shell is asked only for icons
// the cache does not hold as they are now.
class CachedIconListSink final : public ButtonImageSink {
 public:
  CachedIconListSink(ButtonIconCache& cache, HIMAGELIST small, HIMAGELIST large, bool largeShown)
      : cache_(cache), small_(small), large_(large), largeShown_(largeShown) {}

  ImagePositions Append(const std::string& iconFile, int32_t iconIndex) override {
    return cache_.Append(small_, large_, largeShown_, iconFile, iconIndex);
  }

 private:
  ButtonIconCache& cache_;
  HIMAGELIST small_;
  HIMAGELIST large_;
  bool largeShown_;
};

}  // namespace

ButtonImageLists::~ButtonImageLists() {
  if (cache_) cache_->ForgetLists(small_.Get(), large_.Get());
}

int ButtonImageLists::Build(CDB& db, int32_t ordinal, bool largeIcons, IconSides sides) {
  if (cache_) cache_->ForgetLists(small_.Get(), large_.Get());
  small_ = CreateIconList(sides.small);
  large_ = CreateIconList(sides.large);
  if (!small_ || !large_) return 0;
  CBar* bar = db.Bar(ordinal);
  if (!bar) return 1;
  if (cache_) {
    // The cache takes each image at the lists' sides.
    cache_->SetBarSides(sides);
    CachedIconListSink sink(*cache_, small_.Get(), large_.Get(), largeIcons);
    AddButtonImages(*bar, largeIcons, sink);
    // While the bar starts, the cache is written after the first paint.
    if (!cache_->Starting()) cache_->Save(db);
    return 1;
  }
  IconListSink sink(small_.Get(), large_.Get(), sides, db.ProgramFolder());
  AddButtonImages(*bar, largeIcons, sink);
  return 1;
}
