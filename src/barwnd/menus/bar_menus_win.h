// The bar window's menus: the context menu (right click, menu key), the
// bar-switch menu (the bar-switch button) and the plain menu of the
// notification-area icon. Each is built anew for its request, tracked here and
// destroyed with its icons when it closes; the chosen command reaches the bar
// window as WM_COMMAND. While a bar menu (not the tray menu) is open the bar's
// dialog-open flag is set, so an autohide bar stays out under it.
#pragma once

#include <windows.h>

#include <memory>

#include "barwnd/menus/bar_menu_model.h"
#include "barwnd/menus/button_menu.h"

class ButtonIconCache;
class CDB;
struct CD;
struct MenuAnchor;
class CMenuXP;
class MessageTexts;

// What the menus need of the bar window.
class BarMenuHost {
 public:
  virtual ~BarMenuHost() = default;
  virtual HWND BarHwnd() = 0;
  virtual int Edge() = 0;
  virtual bool AutoHide() = 0;
  virtual int DisplayedBar() = 0;
  // The bar-switch button's window rectangle on the screen.
  virtual RECT SwitchButtonScreenRect() = 0;
  virtual void SetDialogOpen(bool open) = 0;
  // Whether "Add the program in front" can add the window in front before the menu.
  virtual bool CanAddFrontProgram() { return false; }
};

class BarMenus {
 public:
  // The bars' icons in the bar-switch menu come from `icons` where it holds
  // them (null: from the shell).
  BarMenus(BarMenuHost& host, CDB& db, MessageTexts& texts, ButtonIconCache* icons);
  ~BarMenus();
  BarMenus(const BarMenus&) = delete;
  BarMenus& operator=(const BarMenus&) = delete;

  // At the point (screen coordinates) of a right click; from the keyboard
  // (or with a point outside the bar) beside the edge the bar faces.
  void ShowContextMenu(POINT screenPoint, bool fromKeyboard);
  // Over a button of the bar: the same menu with the button's submenu at its
  // end. From the keyboard it opens at the button (`buttonRect`, screen
  // coordinates), otherwise at the point.
  void ShowButtonMenu(const MenuButton& button, POINT screenPoint, bool fromKeyboard, const RECT& buttonRect);
  // At the bottom-left corner of the bar-switch button. With `returnChosen`
  // (a button dragged onto it) the command chosen is returned, not sent.
  int ShowBarSwitchMenu(bool returnChosen = false);
  // The tray icon's menu at the mouse position, with the bar in the foreground.
  void ShowTrayMenu(POINT screenPoint);
  // The chevron's menu at `anchor` (screen coordinates): the command chosen
  // (0 when none was), which the caller launches as a click on its button
  // would, or, chosen with the right button, whose button's own menu it shows.
  struct OverflowChoice {
    int command = 0;
    bool rightButton = false;
  };
  OverflowChoice ChooseFromOverflowMenu(const BarMenuPopup& popup, const MenuAnchor& anchor);

  // The bar window's WM_MEASUREITEM and WM_DRAWITEM go here first; true when
  // they were for an item of the owner-drawn menu being tracked.
  bool OnMeasureItem(MEASUREITEMSTRUCT& request);
  bool OnDrawItem(const DRAWITEMSTRUCT& request);

  // The owner-drawn menu being tracked, if any (tests look at it).
  const CMenuXP* Tracked() const { return tracked_; }

 private:
  BarMenuState State();
  // The button at `position` of the displayed bar, or null.
  const CD* ButtonOfShownBar(int position) const;
  // At the DPI of the bar window, which owns the menus while they are tracked.
  std::unique_ptr<CMenuXP> Build(const BarMenuPopup& popup);
  std::unique_ptr<CMenuXP> Build(const BarMenuPopup& popup, int dpi);
  // What TrackPopupMenu returns: the chosen command with TPM_RETURNCMD.
  int Track(HMENU menu, CMenuXP* ownerDrawn, POINT at, UINT flags, bool barMenu);

  BarMenuHost& host_;
  CDB& db_;
  MessageTexts& texts_;
  ButtonIconCache* icons_;
  CMenuXP* tracked_ = nullptr;
};
