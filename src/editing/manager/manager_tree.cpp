#include "editing/manager/manager_tree.h"

#include <algorithm>

void ManagerTree::Clear() {
  items_.clear();
  alive_.clear();
  root_ = kNoItem;
}

int ManagerTree::AddRoot(const std::string& caption, int image) {
  Clear();
  items_.push_back(TreeItem{ItemKind::kRoot, caption, image, 0, kNoItem, {}});
  alive_.push_back(true);
  root_ = 0;
  return root_;
}

int ManagerTree::Insert(int parent, int after, ItemKind kind, const std::string& caption, int image,
                        int32_t data) {
  if (!Exists(parent)) return kNoItem;
  const int id = static_cast<int>(items_.size());
  items_.push_back(TreeItem{kind, caption, image, data, parent, {}});
  alive_.push_back(true);
  auto& siblings = At(parent).Children;
  auto at = siblings.begin();
  if (after != kNoItem) {
    auto found = std::find(siblings.begin(), siblings.end(), after);
    at = found == siblings.end() ? siblings.end() : found + 1;
  }
  siblings.insert(at, id);
  return id;
}

int ManagerTree::Append(int parent, ItemKind kind, const std::string& caption, int image, int32_t data) {
  if (!Exists(parent)) return kNoItem;
  const auto& siblings = Children(parent);
  return Insert(parent, siblings.empty() ? kNoItem : siblings.back(), kind, caption, image, data);
}

void ManagerTree::Remove(int id) {
  if (!Exists(id)) return;
  for (int child : std::vector<int>(At(id).Children)) Remove(child);
  const int parent = At(id).Parent;
  if (parent != kNoItem) {
    auto& siblings = At(parent).Children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
  } else {
    root_ = kNoItem;
  }
  alive_[static_cast<size_t>(id)] = false;
}

bool ManagerTree::Exists(int id) const {
  return id >= 0 && static_cast<size_t>(id) < items_.size() && alive_[static_cast<size_t>(id)];
}

int ManagerTree::IndexInParent(int id) const {
  const int parent = Parent(id);
  if (parent == kNoItem) return -1;
  const auto& siblings = Children(parent);
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), id) - siblings.begin());
}

int ManagerTree::NextSibling(int id) const {
  const int index = IndexInParent(id);
  if (index < 0) return kNoItem;
  const auto& siblings = Children(Parent(id));
  return static_cast<size_t>(index) + 1 < siblings.size() ? siblings[static_cast<size_t>(index) + 1] : kNoItem;
}

int ManagerTree::PreviousSibling(int id) const {
  const int index = IndexInParent(id);
  return index > 0 ? Children(Parent(id))[static_cast<size_t>(index) - 1] : kNoItem;
}

int ManagerTree::ChildWithData(int parent, int32_t data) const {
  if (!Exists(parent)) return kNoItem;
  for (int child : Children(parent))
    if (At(child).Data == data) return child;
  return kNoItem;
}

void ManagerTree::ShiftLaterSiblings(int id, int32_t delta) {
  for (int next = NextSibling(id); next != kNoItem; next = NextSibling(next)) At(next).Data += delta;
}
