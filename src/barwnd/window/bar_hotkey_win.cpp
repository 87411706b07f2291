#include "barwnd/window/bar_hotkey_win.h"

#include <algorithm>
#include <vector>

#include "barwnd/window/bar_commands.h"
#include "barwnd/window/bar_keyboard.h"
#include "platform/display_scale_win.h"
#include "platform/handles_win.h"

namespace {

std::vector<KeyButton> ToolbarButtons(HWND toolbar) {
  std::vector<KeyButton> buttons;
  const int count = toolbar ? static_cast<int>(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0)) : 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button = {};
    ::SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    buttons.push_back({(button.fsStyle & BTNS_SEP) != 0, (button.fsState & TBSTATE_HIDDEN) != 0,
                       static_cast<int>(button.dwData)});
  }
  return buttons;
}

int HotItem(HWND toolbar) { return static_cast<int>(::SendMessageA(toolbar, TB_GETHOTITEM, 0, 0)); }

}  // namespace

BarKeyboard::~BarKeyboard() { Unregister(); }

void BarKeyboard::ToolbarHook::Hook(HWND toolbar) {
  if (!toolbar || toolbar == Hwnd()) return;
  Release();
  (void)Subclass(toolbar);
}

bool BarKeyboard::Register(int32_t value) {
  if (value == registered_) return true;
  Unregister();
  const HotKeyRegistration key = RegistrationOfHotKey(value);
  if (key.key == 0) return true;
  if (!::RegisterHotKey(parts_.bar(), kHotKeyId, key.modifiers, key.key)) return false;
  registered_ = value;
  return true;
}

bool BarKeyboard::RefusedAnew(int32_t value) { return refusals_.ToReport(value, !Register(value)); }

void BarKeyboard::Unregister() {
  if (registered_ && parts_.bar()) ::UnregisterHotKey(parts_.bar(), kHotKeyId);
  registered_ = 0;
}

std::string BarKeyboard::NameOf(int32_t value) {
  const HotKeyRegistration key = RegistrationOfHotKey(value);
  std::string name;
  if (key.modifiers & MOD_CONTROL) name += "Ctrl+";
  if (key.modifiers & MOD_SHIFT) name += "Shift+";
  if (key.modifiers & MOD_ALT) name += "Alt+";
  char text[64] = {};
  LONG scan = static_cast<LONG>(::MapVirtualKeyA(key.key, MAPVK_VK_TO_VSC)) << 16;
  if (value & (HOTKEYF_EXT << 8)) scan |= 1 << 24;
  if (::GetKeyNameTextA(scan, text, sizeof(text)) > 0) return name + text;
  if ((key.key >= '0' && key.key <= '9') || (key.key >= 'A' && key.key <= 'Z')) return name + static_cast<char>(key.key);
  return name + "#" + std::to_string(key.key);
}

void BarKeyboard::OnHotKey() {
  HWND bar = parts_.bar();
  HWND buttons = parts_.buttons();
  if (!bar || !buttons) return;
  if (!active_) {
    HWND front = ::GetForegroundWindow();
    previous_ = (front && front != bar && !::IsChild(bar, front)) ? front : nullptr;
    parts_.slideOut();
    held_ = parts_.held.Hold();
    active_ = true;
    buttonsHook_.Hook(buttons);
    switcherHook_.Hook(parts_.switcher());
  }
  if (parts_.digitsChanged) parts_.digitsChanged();
  ::SetForegroundWindow(bar);
  FocusFirst();
  ::InvalidateRect(buttons, nullptr, TRUE);
}

void BarKeyboard::OnActivate(bool active) {
  if (!active && active_) End(false);
}

void BarKeyboard::End(bool giveBack) {
  if (!active_) return;
  active_ = false;
  if (HWND buttons = parts_.buttons()) {
    ::SendMessageA(buttons, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    ::InvalidateRect(buttons, nullptr, TRUE);
  }
  if (HWND switcher = parts_.switcher()) ::SendMessageA(switcher, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  if (HWND chevron = parts_.chevron ? parts_.chevron() : nullptr)
    ::SendMessageA(chevron, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  if (parts_.digitsChanged) parts_.digitsChanged();
  HWND back = previous_;
  previous_ = nullptr;
  keptSource_ = -1;
  held_.End();
  if (giveBack && back && ::IsWindow(back)) ::SetForegroundWindow(back);
}

void BarKeyboard::Highlight(int index) {
  if (index >= 0) ::SendMessageA(parts_.buttons(), TB_SETHOTITEM, index, 0);
}

void BarKeyboard::LaunchIndex(int index) {
  HWND buttons = parts_.buttons();
  TBBUTTON button = {};
  if (index < 0 || !::SendMessageA(buttons, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button))) return;
  // As a click on the button sends it.
  ::PostMessageA(parts_.bar(), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED), reinterpret_cast<LPARAM>(buttons));
}

// The bar-switch button going needs nothing: the next rebuild of the buttons
// (the display-scale change that renews it renews them too) takes the focus.
void BarKeyboard::OnToolbarGoing(HWND toolbar) {
  if (toolbar != buttonsHook_.Hwnd()) return;
  const int hot = HotItem(toolbar);
  const std::vector<KeyButton> list = ToolbarButtons(toolbar);
  keptSource_ = hot >= 0 && hot < static_cast<int>(list.size()) ? list[static_cast<size_t>(hot)].source : -1;
}

void BarKeyboard::OnButtonsRebuilt() {
  if (!active_) return;
  HWND buttons = parts_.buttons();
  HWND switcher = parts_.switcher();
  const int kept = KeptHighlight(ToolbarButtons(buttons), keptSource_);
  keptSource_ = -1;
  if (kept < 0 && !switcher) {
    End(true);  // nothing left on the bar to take the keys
    return;
  }
  switcherHook_.Hook(switcher);
  const bool onSwitcher = switcher && ::GetFocus() == switcher;
  if (kept >= 0) {
    buttonsHook_.Hook(buttons);
    if (!onSwitcher) {
      ::SetFocus(buttons);
      Highlight(kept);
    }
    ::InvalidateRect(buttons, nullptr, TRUE);
  } else if (!onSwitcher) {
    ::SetFocus(switcher);
    ::SendMessageA(switcher, TB_SETHOTITEM, 0, 0);
  }
  if (parts_.digitsChanged) parts_.digitsChanged();
}

void BarKeyboard::HighlightSource(int source) {
  const int index = active_ ? KeptHighlight(ToolbarButtons(parts_.buttons()), source) : -1;
  if (index < 0) return;
  ::SetFocus(parts_.buttons());
  Highlight(index);
}

int BarKeyboard::DigitShown(int index) const {
  return active_ ? DigitOfButton(ToolbarButtons(parts_.buttons()), index) : -1;
}

std::vector<KeyButton> BarKeyboard::ShownButtons() const {
  std::vector<KeyButton> shown = ToolbarButtons(parts_.buttons());
  if (parts_.shownItems) shown.resize(std::min(shown.size(), static_cast<size_t>(std::max(0, parts_.shownItems()))));
  return shown;
}

// The first button on show takes the highlight; the chevron when none is.
void BarKeyboard::FocusFirst() {
  const int first = MovedHighlight(ShownButtons(), -1, KeyMove::kFirst);
  HWND chevron = ShownChevron();
  if (first < 0 && chevron) {
    chevronHook_.Hook(chevron);
    ::SetFocus(chevron);
    ::SendMessageA(chevron, TB_SETHOTITEM, 0, 0);
    return;
  }
  ::SetFocus(parts_.buttons());
  Highlight(first);
}

HWND BarKeyboard::ShownChevron() const {
  HWND chevron = parts_.chevron ? parts_.chevron() : nullptr;
  return chevron && ::IsWindowVisible(chevron) ? chevron : nullptr;
}

bool BarKeyboard::OnChevronKey(HWND chevron, WPARAM key) {
  HWND buttons = parts_.buttons();
  const bool vertical = parts_.vertical();
  if (key == VK_RETURN || key == VK_SPACE) {
    ::PostMessageA(parts_.bar(), WM_COMMAND, MAKEWPARAM(kCmdChevron, BN_CLICKED), reinterpret_cast<LPARAM>(chevron));
  } else if (key == (vertical ? VK_UP : VK_LEFT) || key == VK_HOME || key == VK_END) {
    ::SendMessageA(chevron, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    ::SetFocus(buttons);
    Highlight(MovedHighlight(ShownButtons(), -1, key == VK_HOME ? KeyMove::kFirst : KeyMove::kLast));
  } else if (key == VK_TAB) {
    ::SendMessageA(chevron, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    if (HWND switcher = parts_.switcher()) {
      ::SetFocus(switcher);
      ::SendMessageA(switcher, TB_SETHOTITEM, 0, 0);
    }
  } else if (key == VK_ESCAPE) {
    End(true);
  } else {
    return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;
  }
  return true;
}

// True when the key was the keyboard's.
bool BarKeyboard::OnKey(HWND toolbar, WPARAM key) {
  HWND buttons = parts_.buttons();
  if (toolbar != buttons && toolbar == ShownChevron()) return OnChevronKey(toolbar, key);
  if (toolbar != buttons) {  // the bar-switch button
    if (key == VK_TAB) {
      ::SendMessageA(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
      FocusFirst();
    } else if (key == VK_RETURN || key == VK_SPACE) {
      ::PostMessageA(parts_.bar(), WM_COMMAND, MAKEWPARAM(kCmdBarSwitch, BN_CLICKED), reinterpret_cast<LPARAM>(toolbar));
    } else if (key == VK_ESCAPE) {
      End(true);
    } else {
      return false;
    }
    return true;
  }
  const bool vertical = parts_.vertical();
  const std::vector<KeyButton> list = ToolbarButtons(buttons);
  // The arrows move over the buttons on show, then on to the chevron; the
  // digits count every button.
  const std::vector<KeyButton> shown = ShownButtons();
  const int hot = HotItem(buttons);
  if (key == (vertical ? VK_DOWN : VK_RIGHT)) {
    const int next = MovedHighlight(shown, hot, KeyMove::kNext);
    HWND chevron = ShownChevron();
    if (chevron && (next == hot || next < 0)) {
      ::SendMessageA(buttons, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
      chevronHook_.Hook(chevron);  // made anew with each build of the buttons
      ::SetFocus(chevron);
      ::SendMessageA(chevron, TB_SETHOTITEM, 0, 0);
    } else {
      Highlight(next);
    }
  } else if (key == (vertical ? VK_UP : VK_LEFT)) {
    Highlight(MovedHighlight(shown, hot, KeyMove::kPrevious));
  } else if (key == VK_HOME || key == VK_END) {
    Highlight(MovedHighlight(shown, hot, key == VK_HOME ? KeyMove::kFirst : KeyMove::kLast));
  } else if (key == VK_RETURN || key == VK_SPACE) {
    LaunchIndex(hot);
  } else if (key >= '0' && key <= '9') {
    LaunchIndex(ButtonOfDigit(list, static_cast<int>(key - '0')));
  } else if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
    LaunchIndex(ButtonOfDigit(list, static_cast<int>(key - VK_NUMPAD0)));
  } else if (key == VK_TAB) {
    if (HWND switcher = parts_.switcher()) {
      ::SendMessageA(buttons, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
      ::SetFocus(switcher);
      ::SendMessageA(switcher, TB_SETHOTITEM, 0, 0);
    }
  } else if (key == VK_ESCAPE) {
    End(true);
  } else {
    return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;  // the other axis does nothing
  }
  return true;
}

LRESULT BarKeyboard::ToolbarHook::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (keyboard_.active_) {
    switch (msg) {
      case WM_DESTROY:
        keyboard_.OnToolbarGoing(Hwnd());
        break;
      case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
      case WM_KEYDOWN:
        if (keyboard_.OnKey(Hwnd(), wp)) return 0;
        break;
      case WM_CHAR:
        return 0;  // the keys are taken at WM_KEYDOWN; no beep for them
    }
  }
  return DefaultProc(msg, wp, lp);
}
