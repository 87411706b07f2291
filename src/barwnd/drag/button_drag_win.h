// A button of the displayed bar dragged with the mouse: along the bar to
// another place, or, resting on the bar-switch button until its menu opens,
// to the end of another bar. It watches the buttons toolbar's messages
// (DragSteps decides), shows the button's picture at the mouse and the drop
// marker where it will land, keeps an autohide bar out while it lasts, and
// after the release moves the button in the model and saves at once. The
// work after the release is posted to the bar window (kMoveMessage), out of
// the toolbar's own message, because it builds the toolbar anew.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "barwnd/drag/drag_image_win.h"
#include "barwnd/drag/drag_steps.h"
#include "platform/geometry.h"
#include "platform/scope_end.h"

class BarChildren;
class BarDrop;
class CBar;
class CDB;
class DialogCount;
struct CD;
struct Settings;

class BarButtonDrag {
 public:
  struct Parts {
    const Settings& settings;
    CDB& db;
    BarChildren& children;
    BarDrop& drop;  // the drop's slots and marker
    DialogCount& held;  // the bar's open dialogs, menus and drags
    std::function<int()> displayedBar;  // -1 when none
    std::function<bool()> dialogOpen;   // while a dialog of the bar is open nothing is dragged
    std::function<void()> slideOut;     // an autohidden bar comes out
    std::function<int()> chooseBar;     // the bar-switch menu: the bar chosen, -1 for none
    // The model changed and is saved: the bar is built again; `position` is
    // where the moved button stands in the shown bar now, -1 when it left it.
    std::function<void(int position)> moved;
  };

  // Posted to the bar window after a release; the window calls TakeMove.
  static constexpr UINT kMoveMessage = 33201;
  // On the buttons toolbar while the mouse rests on the bar-switch button.
  static constexpr UINT_PTR kHoverTimerId = 33200;
  static constexpr UINT kHoverMilliseconds = 600;

  explicit BarButtonDrag(Parts parts) : parts_(std::move(parts)) {}
  BarButtonDrag(const BarButtonDrag&) = delete;
  BarButtonDrag& operator=(const BarButtonDrag&) = delete;

  // Every message of the buttons toolbar, first; true when it was the drag's.
  bool OnToolbarMessage(HWND toolbar, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // The bar lost the activation: a drag under way is put back.
  void Lost();
  // The move the last release asked for, if the bar still holds what was dragged.
  void TakeMove();
  bool Dragging() const { return steps_.Dragging(); }

 private:
  struct PendingMove {
    int bar = -1;
    const CBar* record = nullptr;  // the shown bar at the release, to see it is still there
    const CD* item = nullptr;      // the dragged item, to see it still stands at `from`
    int from = -1;
    std::optional<int> slot;  // none: the bar-switch menu chooses the bar
  };

  bool OnPress(HWND toolbar, LPARAM lp, LRESULT& result);
  void Apply(const DragSteps::Effects& effects, Point screen);
  void Begin();
  void Follow(Point screen);
  void EndLook();
  void ReleaseMouse();
  void Post(std::optional<int> slot);
  // The drop's slot for `screen`; none off the bar.
  std::optional<int> SlotAt(Point screen, bool showMarker);
  bool OverSwitchButton(Point screen) const;
  bool StillThere(const PendingMove& move) const;

  Parts parts_;
  DragSteps steps_;
  HWND toolbar_ = nullptr;
  HWND bar_ = nullptr;
  const CBar* record_ = nullptr;
  const CD* item_ = nullptr;  // compared, never read: the model may change under a drag
  bool pressedSeparator_ = false;
  int pressedCommand_ = 0;
  Rect itemRect_;  // the pressed item, bar client coordinates
  Point grip_;     // where in it the press was
  DragImage image_;
  ScopeEnd hold_;  // the bar stays out while the drag lasts
  HWND focusBefore_ = nullptr;
  bool releasing_ = false;  // the capture goes by the drag's own wish
  std::optional<PendingMove> pending_;
};
