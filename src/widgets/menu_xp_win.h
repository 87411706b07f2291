// CMenuXP: a popup menu whose items the program draws itself in a flat look,
// with an icon column, a framed selection, framed icons of checked items and
// etched separators. The object owns its menu handle, the record of every item
// it appended (with the record's icon) and the objects of its sub-menus; it is
// made for one display of a menu and destroyed after it.
//
// The window that tracks the menu hands WM_MEASUREITEM and WM_DRAWITEM to the
// top menu object: requests for items of its sub-menus are routed to them, and
// requests for items this tree did not make are left alone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/display_scale.h"
#include "platform/handles_win.h"
#include "widgets/menu_colors.h"

// The data of one owner-drawn item; its address is the item's application data.
struct MenuItemRecord {
  static constexpr uint32_t kMagic = 0x0505A0A0;

  MenuItemRecord() = default;
  MenuItemRecord(uint32_t command, std::string caption, UniqueIcon image = {})
      : commandId(command), text(std::move(caption)), icon(std::move(image)) {}
  virtual ~MenuItemRecord() = default;
  MenuItemRecord(const MenuItemRecord&) = delete;
  MenuItemRecord& operator=(const MenuItemRecord&) = delete;

  uint32_t magic = kMagic;
  uint32_t commandId = 0;
  uint8_t separator = 0;
  std::string text;  // "&" before the mnemonic; a tab before a right-aligned part
  UniqueIcon icon;   // may be empty; drawn at iconSize x iconSize
  int32_t iconSize = 16;  // set by the menu the record is appended to
};

// The states of an item that change how it is drawn.
struct MenuItemLook {
  bool selected = false;
  bool disabled = false;
  bool checked = false;
  bool isDefault = false;  // the caption is bold
};

class CMenuXP {
 public:
  // Makes an empty popup menu, the menu font and the system colours, all
  // measured for `dpi`: the DPI of the window that will own the menu while it
  // is tracked (0: the system's). Its sub-menus are made at the same DPI.
  explicit CMenuXP(int dpi = 0);
  virtual ~CMenuXP();
  CMenuXP(CMenuXP&& other) noexcept;
  CMenuXP& operator=(CMenuXP&& other) noexcept;
  CMenuXP(const CMenuXP&) = delete;
  CMenuXP& operator=(const CMenuXP&) = delete;

  HMENU Handle() const { return handle_; }
  DisplayScale Scale() const { return scale_; }
  // The side of the icons this menu draws (16 at 96 DPI); icons for its items
  // are best made at this size.
  int IconSide() const { return IconSidesAt(scale_.dpi).small; }

  // Appends an owner-drawn item (the flags are combined with the owner-drawn
  // flag) whose command and data come from the record; the record's icon size
  // becomes IconSide(). False when the system refused it; the record is then
  // dropped.
  bool AppendItem(UINT flags, std::unique_ptr<MenuItemRecord> record);
  bool AppendSeparator();
  // The sub-menu's handle then belongs to this menu's handle.
  bool AppendSubMenu(UINT flags, std::unique_ptr<CMenuXP> subMenu, std::unique_ptr<MenuItemRecord> record);

  // This menu or one of its sub-menus at any depth, by handle; null if none.
  CMenuXP* FindMenu(HMENU menu);

  // The answers to the owner window's WM_MEASUREITEM and WM_DRAWITEM. False,
  // with nothing done, when the request is not for an item of this menu tree.
  virtual bool MeasureItem(MEASUREITEMSTRUCT& request);
  virtual bool DrawItem(const DRAWITEMSTRUCT& request);

  // Set by the creator right after construction.
  MenuColors colors;

 protected:
  // The drawing steps, each overridable.
  virtual void DrawBackground(HDC dc, const RECT& rect, const MenuItemLook& look);
  virtual void DrawIconFrame(HDC dc, const RECT& square, const MenuItemLook& look);
  virtual void DrawIcon(HDC dc, const RECT& rect, HICON icon, const MenuItemLook& look);
  virtual void DrawCaption(HDC dc, const RECT& rect, const std::string& text, const MenuItemLook& look);
  virtual void DrawCheckMark(HDC dc, const RECT& rect, const MenuItemLook& look);
  virtual void DrawTextInColor(HDC dc, const RECT& rect, COLORREF color, const std::string& text);
  virtual void DrawIconColumn(HDC dc, const RECT& rect, const MenuItemLook& look);

  HFONT MenuFont() const { return font_.Get(); }
  // A bold (weight 700) copy of the menu font, for the caller to delete.
  UniqueFont BoldMenuFont() const;

 private:
  // The record if `data` is the application data of an item this menu made.
  MenuItemRecord* OwnRecord(ULONG_PTR data) const;
  MenuItemRecord* RecordInTree(ULONG_PTR data);
  void DrawSeparator(HDC dc, const RECT& rect, const MenuItemRecord& record);
  void DrawCaptionItem(const DRAWITEMSTRUCT& request, const MenuItemRecord& record);
  bool IsDefaultItem(const DRAWITEMSTRUCT& request) const;

  DisplayScale scale_;
  UniqueMenu owned_;       // empty once the handle belongs to a parent menu
  HMENU handle_ = nullptr;
  UniqueFont font_;
  std::vector<std::unique_ptr<MenuItemRecord>> records_;
  std::vector<std::unique_ptr<CMenuXP>> subMenus_;
};
