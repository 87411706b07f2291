// The buttons manager's tree as the manager keeps it: one root, the bars under
// it, the buttons under each bar, and at most one placeholder for an entry not
// yet in the model. The dialog's tree control mirrors it item for item.
//
// Item data follows the model: a bar item holds the bar's ordinal, a button or
// separator item its position; a "--new button--" placeholder holds the chosen
// button kind, a "--new quickrail--" placeholder the ordinal the bar will get.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ItemKind { kRoot, kBar, kButton, kSeparator, kNewButton, kNewBar };

struct TreeItem {
  ItemKind Kind = ItemKind::kRoot;
  std::string Caption;
  int Image = -1;
  int32_t Data = 0;
  int Parent = -1;
  std::vector<int> Children;
};

inline constexpr int kNoItem = -1;

class ManagerTree {
 public:
  void Clear();
  int AddRoot(const std::string& caption, int image);
  // Inserts under `parent`, directly after the child `after`, or first when
  // `after` is kNoItem; returns the new item's id.
  int Insert(int parent, int after, ItemKind kind, const std::string& caption, int image, int32_t data);
  int Append(int parent, ItemKind kind, const std::string& caption, int image, int32_t data);
  void Remove(int id);

  bool Exists(int id) const;
  const TreeItem& At(int id) const { return items_[static_cast<size_t>(id)]; }
  TreeItem& At(int id) { return items_[static_cast<size_t>(id)]; }
  int Root() const { return root_; }
  int Parent(int id) const { return Exists(id) ? At(id).Parent : kNoItem; }
  const std::vector<int>& Children(int id) const { return At(id).Children; }
  int NextSibling(int id) const;
  int PreviousSibling(int id) const;
  // The child of `parent` whose data is `data`, or kNoItem.
  int ChildWithData(int parent, int32_t data) const;
  // Adds `delta` to the data of every sibling after `id`.
  void ShiftLaterSiblings(int id, int32_t delta);
  // Bars and buttons are one level and two levels below the root.
  bool IsBarLevel(int id) const { return Exists(id) && At(id).Parent == root_ && root_ != kNoItem; }

 private:
  int IndexInParent(int id) const;

  std::vector<TreeItem> items_;
  std::vector<bool> alive_;
  int root_ = kNoItem;
};
