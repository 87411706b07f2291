// The bar from the keyboard: which button the highlight moves to, which
// button a digit launches, and the bar's hot key as the system registers it.
// Plain rules here; the window side feeds them the buttons toolbar's state.
#pragma once

#include <cstdint>
#include <vector>

// A button of the buttons toolbar as the keyboard sees it.
struct KeyButton {
  bool separator = false;
  bool hidden = false;  // a button whose target is gone is not on show
  int source = -1;      // the button's position in its bar; -1 when not known
};

enum class KeyMove { kNext, kPrevious, kFirst, kLast };

// The index the highlight goes to from `current` (-1: none yet): only buttons
// on show that are not separators take it; at either end it stays where it
// is; -1 when the bar has no such button.
int MovedHighlight(const std::vector<KeyButton>& buttons, int current, KeyMove move);

// Where the highlight goes when the toolbar was built again under it: the
// button at bar position `source` when it takes the highlight, else the one
// whose position is nearest (the later one of two as near); the first button
// when `source` is not known; -1 when no button takes the highlight.
int KeptHighlight(const std::vector<KeyButton>& buttons, int source);

// The index of the button digit `digit` launches: 1 to 9 the first nine
// buttons on show, 0 the tenth (separators not counted); -1 for none.
int ButtonOfDigit(const std::vector<KeyButton>& buttons, int digit);

// The digit a button shows while the bar has the keyboard (1…9, then 0 for
// the tenth), or -1 for a separator, a hidden button or one past the tenth.
int DigitOfButton(const std::vector<KeyButton>& buttons, int index);

// The hot-key control's value (key code in the low byte, its HOTKEYF_ shift,
// control and alt bits in the next one) as RegisterHotKey's key and MOD_ bits.
// A key without Ctrl or Alt is no hot key (key 0): registered, a letter, a
// digit or an F-key alone would be taken from every program.
struct HotKeyRegistration {
  uint32_t modifiers = 0;
  uint32_t key = 0;  // 0: no hot key
  friend bool operator==(const HotKeyRegistration&, const HotKeyRegistration&) = default;
};
HotKeyRegistration RegistrationOfHotKey(int32_t controlValue);

// Tells when a refusal of the hot key (another program holds it) is to be
// reported: once for each choice, not again at every later apply of the
// same settings; a key that registers, or none, starts afresh.
class HotKeyRefusals {
 public:
  // `refused`: the registration of `value` failed just now. True when the
  // refusal is new and is to be reported.
  bool ToReport(int32_t value, bool refused);

 private:
  int32_t reported_ = 0;  // the refused value reported last; 0 none
};
