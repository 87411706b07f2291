// The bar from the keyboard: its hot key, registered on the bar window, brings
// the bar out with the keyboard focus on its buttons; the buttons toolbar
// then moves its highlight with the arrow keys, launches with Enter, Space or
// a digit, and gives the focus back with Escape or when the bar loses it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "barwnd/window/bar_keyboard.h"
#include "barwnd/window/dialog_count.h"
#include "platform/scope_end.h"
#include "platform/window_win.h"

struct KeyButton;

class BarKeyboard {
 public:
  struct Parts {
    std::function<HWND()> bar;
    std::function<HWND()> buttons;     // the buttons toolbar
    std::function<HWND()> switcher;    // the bar-switch toolbar
    std::function<bool()> vertical;    // the bar stands along a side edge
    std::function<void()> slideOut;    // an autohidden bar comes out
    DialogCount& held;                 // keeps an autohidden bar out
    std::function<void()> digitsChanged;  // the buttons' tips show their digits, or stop
    std::function<HWND()> chevron;     // the chevron's toolbar (null, or hidden, while all fit)
    std::function<int()> shownItems;   // how many of the buttons toolbar's items are on show
  };
  explicit BarKeyboard(Parts parts) : parts_(std::move(parts)) {}
  ~BarKeyboard();
  BarKeyboard(const BarKeyboard&) = delete;
  BarKeyboard& operator=(const BarKeyboard&) = delete;

  static constexpr int kHotKeyId = 1;

  // Registers the hot-key control's value (0: none) in place of the last one;
  // false when the system refused it (another program holds it).
  bool Register(int32_t value);
  // Registers as Register does; true when the system refused `value` and that
  // choice has not been reported yet: each refused choice is reported once.
  bool RefusedAnew(int32_t value);
  void Unregister();
  // The combination as the user reads it ("Ctrl+Alt+Q").
  static std::string NameOf(int32_t value);

  void OnHotKey();
  // The bar window's activation changed; an inactive bar ends the keyboard's turn.
  void OnActivate(bool active);
  // The buttons toolbar was built again (a bar switch, a drop, a target that
  // went, a new display scale): while the keyboard has the bar it keeps it,
  // on the same button or the nearest one.
  void OnButtonsRebuilt();
  // A button was moved on the bar: the highlight goes to where it stands now
  // (`source`, its position in its bar), if the bar has the keyboard.
  void HighlightSource(int source);
  // The buttons toolbar's NM_CUSTOMDRAW: the digits while the keyboard has it.
  LRESULT OnCustomDraw(NMTBCUSTOMDRAW* draw);
  bool Active() const { return active_; }
  // The digit the toolbar's button at `index` shows now, or -1.
  int DigitShown(int index) const;

 private:
  // The keyboard's subclass of one toolbar, bound through the window base. The
  // toolbar is borrowed: it is given back, never destroyed, when the keyboard goes.
  class ToolbarHook : public Window {
   public:
    explicit ToolbarHook(BarKeyboard& keyboard) : keyboard_(keyboard) {}
    ~ToolbarHook() override { Release(); }
    // Binds `toolbar` in place of the toolbar bound before, if it is another.
    void Hook(HWND toolbar);

   protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

   private:
    BarKeyboard& keyboard_;
  };

  bool OnKey(HWND toolbar, WPARAM key);
  // A toolbar the keyboard has hooked is being destroyed: what it had is noted.
  void OnToolbarGoing(HWND toolbar);
  // A key on the chevron; true when it was the keyboard's.
  bool OnChevronKey(HWND chevron, WPARAM key);
  // The chevron when it is on show, else null.
  HWND ShownChevron() const;
  // The buttons toolbar's items on show (those the chevron stands for left out).
  std::vector<KeyButton> ShownButtons() const;
  void FocusFirst();
  void Highlight(int index);
  void LaunchIndex(int index);
  // Ends the keyboard's turn; `giveBack` puts the focus back where it was.
  void End(bool giveBack);

  Parts parts_;
  int32_t registered_ = 0;
  HotKeyRefusals refusals_;
  bool active_ = false;
  ScopeEnd held_;            // the bar stays out while the keyboard has it
  HWND previous_ = nullptr;  // the window in front before the hot key
  int keptSource_ = -1;      // the highlighted button's place in its bar when its toolbar went
  ToolbarHook buttonsHook_{*this};
  ToolbarHook switcherHook_{*this};
  ToolbarHook chevronHook_{*this};
};
