// The buttons manager's tree control and its image list, kept item for item
// like ManagerTree. Each control item carries the id of its ManagerTree item.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <unordered_map>

#include "editing/manager/manager_tree.h"
#include "platform/handles_win.h"

class ManagerTreeControl {
 public:
  void Attach(HWND tree) { tree_ = tree; }
  HWND Hwnd() const { return tree_; }

  // A new image list (`side` pixels square, 16 at 96 DPI; 32-bit colour with
  // mask) for the tree.
  void ResetImages(int side);
  int ImageSide() const { return side_; }
  // Appends the icon to the image list at the list's side (a copy is kept;
  // the caller keeps `icon`); its index, or -1.
  int AddImage(HICON icon);
  // Appends an empty image: keeps the places of the images after it.
  int AddBlankImage();

  void Clear();
  void Insert(const ManagerTree& tree, int id);
  void Change(const ManagerTree& tree, int id);
  void Remove(int id);
  void Expand(int id);
  void Select(int id);

  // The ManagerTree id an item of the control stands for (kNoItem for none).
  static int IdOf(const NMTREEVIEWA& notice, bool newItem);
  HTREEITEM Handle(int id) const;

 private:
  HWND tree_ = nullptr;
  UniqueImageList images_;
  int side_ = 16;
  std::unordered_map<int, HTREEITEM> handles_;
};
