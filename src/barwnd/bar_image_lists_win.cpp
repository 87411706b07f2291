#include "barwnd/bar_image_lists_win.h"

#include "db/button_icon_win.h"
#include "db/cbar.h"

namespace {

int AddOrFallback(HIMAGELIST list, const UniqueIcon& icon) {
  const int added = icon ? ::ImageList_AddIcon(list, icon.Get()) : -1;
  if (added >= 0) return added;
  // The system's own icon is shared: the list copies it and nothing is destroyed.
  return ::ImageList_AddIcon(list, ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
}

}  // namespace

bool BuildBarImageLists(CBar& bar, const std::string& programFolder, BarImageLists& out) {
  out.small.Reset(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1));
  out.large.Reset(::ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 1));
  if (!out.small || !out.large) return false;
  for (int32_t i = 0; i < bar.Count(); ++i) {
    CD* button = bar.At(i);
    if (!button->Available || button->IsSeparator) continue;
    ButtonIcons icons = GetButtonIcon(button->IconFile, button->IconIndex, programFolder);
    const int small = AddOrFallback(out.small.Get(), icons.Small);
    const int large = AddOrFallback(out.large.Get(), icons.Large);
    if (small < 0 || large < 0 || small != large) return false;
    button->ImageIndex = small;
  }
  return true;
}
