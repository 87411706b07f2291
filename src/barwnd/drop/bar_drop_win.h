// Drops on the bar window: the bar registers this as its OLE drop target's
// sink. While something is dragged over the bar, an autohide bar stays out
// and a marker shows where the buttons will go; on the drop the displayed bar
// gets a button for each item there, the database is saved and the toolbar
// rebuilt, so the new buttons launch at once.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "barwnd/drop/bar_drop.h"
#include "barwnd/drop/bar_drop_items.h"
#include "barwnd/drop/bar_drop_marker_win.h"
#include "barwnd/drop/bar_drop_target_win.h"
#include "editing/browse/shortcut_reader_win.h"
#include "platform/handles_win.h"
#include "platform/scope_end.h"

class AppBarController;
class BarChildren;
class CBar;
class DialogCount;
class CDB;
class MessageTexts;
struct Settings;

// The shell's answers about dropped paths.
class ShellDropSystem : public DropSystem {
 public:
  bool IsFolder(const std::string& path) override;
  std::string FolderDisplayName(const std::string& path) override;
  std::optional<std::string> InternetShortcutUrl(const std::string& path) override;
  ShortcutReader& Links() override { return links_; }

 private:
  ShellShortcutReader links_;
};

class BarDrop : public DropSink {
 public:
  struct Parts {
    const Settings& settings;
    CDB& db;
    BarChildren& children;
    AppBarController& appBar;
    MessageTexts& texts;
    DialogCount& dialogs;  // the bar's open dialogs, menus and drags
    std::function<int()> displayedBar;  // -1 when none
    std::function<int()> edge;
    std::function<void()> buttonsChanged;  // rebuild and repaint the bar
  };

  // Posted to the bar window by a drop; the window calls TakeDrop.
  static constexpr UINT kDroppedMessage = WM_APP + 0x150;

  explicit BarDrop(Parts parts);
  ~BarDrop() override;
  BarDrop(const BarDrop&) = delete;
  BarDrop& operator=(const BarDrop&) = delete;

  // Registers the bar window with OLE (which must be initialised on the
  // thread); false when OLE refused.
  bool Register(HWND bar);
  void Revoke();
  // The target OLE calls, for tests that drop without a drag.
  IDropTarget* Target() const { return target_.Get(); }
  bool MarkerShown() const { return marker_.Visible(); }

  bool DragEntered(bool offered) override;
  bool DraggedOver(Point screen) override;
  void DragLeft() override;
  bool Dropped(DropPayload payload, Point screen) override;
  // What a button dragged along the bar shares with drops: the items where
  // they stand, the slot under a point on the screen and the marker there.
  DropLayout Layout() const;
  std::optional<DropSlot> SlotAt(Point screen) const;
  void ShowMarker(const DropSlot& slot);
  void HideMarker() { marker_.Hide(); }
  // A drop's work is waiting for the bar.
  bool Working() const { return pending_.has_value(); }

  // The work of the last drop, after the source's drag has ended: the
  // question for many items, the buttons where the drop point is now, the
  // save, and the message for what was refused.
  void TakeDrop();

 private:
  // The buttons manager (or another dialog of the bar) owns the model while it is open.
  bool Busy() const;
  void HoldOut();
  void Release();
  bool AskAboutMany(std::size_t count) const;
  void ShowWarning(const std::string& text) const;
  // Names and addresses of the drop in the code page; the rest are refused.
  std::vector<DroppedItem> ItemsOf(DropPayload& payload, std::vector<RefusedItem>& refused) const;

  struct PendingDrop {
    DropPayload payload;
    Point screen;
    int bar = -1;
    const CBar* record = nullptr;  // the bar shown at the drop, to see that it is still there
  };

  Parts parts_;
  HWND bar_ = nullptr;
  bool registered_ = false;
  ComPtr<BarDropTarget> target_;
  ShellDropSystem system_;
  DropMarker marker_;
  bool wanted_ = false;
  std::optional<PendingDrop> pending_;
  // While a drag is over the bar it counts as one of the bar's open dialogs,
  // so that an autohide bar stays out, until the drop's work ends however it ends.
  ScopeEnd hold_;
};
