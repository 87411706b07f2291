// The program page: seven check boxes, each bound to one setting.
#pragma once

#include "options/control_binding.h"

const ControlBindings& ProgramBindings();

// The hot-key field's rules (HKM_SETRULES): a key typed alone or with Shift
// only becomes Ctrl+Alt+key, so the field never offers a key that the bar
// would take from every program (the bar registers none without Ctrl or Alt).
struct HotKeyFieldRules {
  unsigned invalid = 0;    // HKCOMB_ bits: the combinations replaced
  unsigned modifiers = 0;  // HOTKEYF_ bits put in their place
};
// HKCOMB_NONE 1 | HKCOMB_S 2; HOTKEYF_CONTROL 2 | HOTKEYF_ALT 4.
inline constexpr HotKeyFieldRules kHotKeyFieldRules{1 | 2, 2 | 4};
