#include "editing/manager/manager_tree_win.h"

#include <vector>

#include "icons/icon_image_win.h"

namespace {

// An entry without an icon draws none; -1 would ask the dialog for one.
int ShownImage(int image) { return image < 0 ? I_IMAGENONE : image; }

}  // namespace

void ManagerTreeControl::ResetImages(int side) {
  side_ = side;
  UniqueImageList fresh(::ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 0, 1));
  ::SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(fresh.Get()));
  // The tree no longer shows the old list, so it can go.
  images_ = std::move(fresh);
}

int ManagerTreeControl::AddImage(HICON icon) {
  if (!icon || !images_) return -1;
  // The image the list would make of the icon, without drawing it (which
  // costs milliseconds per icon under Wine).
  return AppendIconImage(images_.Get(), icon, side_);
}

int ManagerTreeControl::AddBlankImage() { return images_ ? AppendImage(images_.Get(), BlankImage(side_)) : -1; }

void ManagerTreeControl::Clear() {
  ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  handles_.clear();
}

HTREEITEM ManagerTreeControl::Handle(int id) const {
  auto found = handles_.find(id);
  return found == handles_.end() ? nullptr : found->second;
}

void ManagerTreeControl::Insert(const ManagerTree& tree, int id) {
  const TreeItem& item = tree.At(id);
  const int previous = tree.PreviousSibling(id);
  std::string caption = item.Caption;
  TVINSERTSTRUCTA insert = {};
  insert.hParent = item.Parent == kNoItem ? TVI_ROOT : Handle(item.Parent);
  insert.hInsertAfter = previous == kNoItem ? TVI_FIRST : Handle(previous);
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = caption.data();
  insert.item.iImage = insert.item.iSelectedImage = ShownImage(item.Image);
  insert.item.lParam = id;
  auto handle = reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (handle) handles_[id] = handle;
}

void ManagerTreeControl::Change(const ManagerTree& tree, int id) {
  const TreeItem& item = tree.At(id);
  std::string caption = item.Caption;
  TVITEMA change = {};
  change.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  change.hItem = Handle(id);
  change.pszText = caption.data();
  change.iImage = change.iSelectedImage = ShownImage(item.Image);
  if (change.hItem) ::SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void ManagerTreeControl::Remove(int id) {
  HTREEITEM handle = Handle(id);
  if (!handle) return;
  ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(handle));
  handles_.erase(id);
}

void ManagerTreeControl::Expand(int id) {
  if (HTREEITEM handle = Handle(id)) ::SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(handle));
}

void ManagerTreeControl::Select(int id) {
  ::SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Handle(id)));
  if (HTREEITEM handle = Handle(id)) ::SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(handle));
}

int ManagerTreeControl::IdOf(const NMTREEVIEWA& notice, bool newItem) {
  const TVITEMA& item = newItem ? notice.itemNew : notice.itemOld;
  return item.hItem ? static_cast<int>(item.lParam) : kNoItem;
}
