#include "editing/presets/preset_menu_win.h"

#include <memory>

#include "editing/presets/preset_menu.h"
#include "platform/display_scale_win.h"
#include "platform/window_win.h"
#include "widgets/menu_xp_win.h"

namespace {

// An invisible window that owns the menu while it is tracked and hands the
// menu's measure and draw requests to it, so that the manager need not know
// which menu is open.
class MenuOwner : public Window {
 public:
  explicit MenuOwner(CMenuXP& menu) : menu_(menu) {}
  ~MenuOwner() override { Destroy(); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_MEASUREITEM && menu_.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
    if (msg == WM_DRAWITEM && menu_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
    return DefaultProc(msg, wp, lp);
  }

 private:
  CMenuXP& menu_;
};

}  // namespace

int ChoosePreset(HWND manager) {
  CMenuXP menu;
  menu.colors.background = preset::kMenuBackground;
  menu.colors.selection = preset::kMenuSelection;
  for (const preset::MenuItem& item : preset::kMenuItems) {
    menu.AppendItem(0, std::make_unique<MenuItemRecord>(item.Command, item.Caption));
  }

  MenuOwner owner(menu);
  const DWORD style = manager ? WS_CHILD : WS_POPUP;
  if (!owner.Create("OrvantisPresetMenuOwner", "", style, 0, 0, 0, 0, 0, manager, nullptr)) return 0;

  RECT frame = {};
  if (manager) ::GetWindowRect(manager, &frame);
  const Point offset = preset::MenuOffsetAt(manager ? WindowDpi(manager) : SystemDpi());
  const int command = static_cast<int>(::TrackPopupMenu(menu.Handle(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                                        frame.left + offset.x, frame.top + offset.y, 0,
                                                        owner.Hwnd(), nullptr));
  for (const preset::MenuItem& item : preset::kMenuItems) {
    if (item.Command == command) return command;
  }
  return 0;
}
