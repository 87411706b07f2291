#include "db/image_list_win.h"

#include "db/button_icon_win.h"
#include "db/cdb.h"
#include "db/image_list.h"

namespace {

constexpr int kSmallIcon = 16;
constexpr int kLargeIcon = 32;

UniqueImageList CreateIconList(int size) {
  return UniqueImageList(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 0, 1));
}

int AppendIcon(HIMAGELIST list, const UniqueIcon& icon) {
  return icon ? ::ImageList_ReplaceIcon(list, -1, icon.Get()) : -1;
}

// Looks up each button's icons and appends them; the icons are destroyed once
// the lists hold their copies. An icon that cannot be found is replaced by a
// generic one: a button without an image is a blank slot nobody can see.
class IconListSink final : public ButtonImageSink {
 public:
  IconListSink(HIMAGELIST small, HIMAGELIST large, const std::string& programFolder)
      : small_(small), large_(large), programFolder_(programFolder) {}

  ImagePositions Append(const std::string& iconFile, int32_t iconIndex) override {
    ButtonIcons icons = GetButtonIconOrGeneric(iconFile, iconIndex, programFolder_);
    return {AppendIcon(small_, icons.Small), AppendIcon(large_, icons.Large)};
  }

 private:
  HIMAGELIST small_;
  HIMAGELIST large_;
  const std::string& programFolder_;
};

}  // namespace

int ButtonImageLists::Build(CDB& db, int32_t ordinal, bool largeIcons) {
  small_ = CreateIconList(kSmallIcon);
  large_ = CreateIconList(kLargeIcon);
  if (!small_ || !large_) return 0;
  CBar* bar = db.Bar(ordinal);
  if (!bar) return 1;
  IconListSink sink(small_.Get(), large_.Get(), db.ProgramFolder());
  AddButtonImages(*bar, largeIcons, sink);
  return 1;
}
