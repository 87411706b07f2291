#include "barwnd/window/bar_keyboard.h"

#include <cstddef>

using std::size_t;

namespace {

bool Takes(const KeyButton& button) { return !button.separator && !button.hidden; }

// The nearest index from `from` in steps of `step` that takes the highlight, or -1.
int Nearest(const std::vector<KeyButton>& buttons, int from, int step) {
  for (int i = from; i >= 0 && i < static_cast<int>(buttons.size()); i += step)
    if (Takes(buttons[static_cast<size_t>(i)])) return i;
  return -1;
}

}  // namespace

int MovedHighlight(const std::vector<KeyButton>& buttons, int current, KeyMove move) {
  const int count = static_cast<int>(buttons.size());
  const int first = Nearest(buttons, 0, 1);
  if (first < 0) return -1;
  if (current < 0 || current >= count || !Takes(buttons[static_cast<size_t>(current)])) current = -1;
  int found = -1;
  switch (move) {
    case KeyMove::kFirst: return first;
    case KeyMove::kLast: return Nearest(buttons, count - 1, -1);
    case KeyMove::kNext: found = current < 0 ? first : Nearest(buttons, current + 1, 1); break;
    case KeyMove::kPrevious: found = current < 0 ? first : Nearest(buttons, current - 1, -1); break;
  }
  return found < 0 ? current : found;
}

int KeptHighlight(const std::vector<KeyButton>& buttons, int source) {
  int best = -1;
  int bestDistance = 0;
  for (size_t i = 0; source >= 0 && i < buttons.size(); ++i) {
    if (!Takes(buttons[i]) || buttons[i].source < 0) continue;
    const int distance = buttons[i].source < source ? source - buttons[i].source : buttons[i].source - source;
    // Positions ascend along the toolbar: of two as near, the later one wins.
    if (best < 0 || distance <= bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
    }
  }
  return best >= 0 ? best : MovedHighlight(buttons, -1, KeyMove::kFirst);
}

int ButtonOfDigit(const std::vector<KeyButton>& buttons, int digit) {
  if (digit < 0 || digit > 9) return -1;
  const int wanted = digit == 0 ? 10 : digit;
  int seen = 0;
  for (size_t i = 0; i < buttons.size(); ++i)
    if (Takes(buttons[i]) && ++seen == wanted) return static_cast<int>(i);
  return -1;
}

int DigitOfButton(const std::vector<KeyButton>& buttons, int index) {
  if (index < 0 || index >= static_cast<int>(buttons.size()) || !Takes(buttons[static_cast<size_t>(index)]))
    return -1;
  int place = 0;
  for (int i = 0; i <= index; ++i) place += Takes(buttons[static_cast<size_t>(i)]) ? 1 : 0;
  return place > 10 ? -1 : place % 10;
}

HotKeyRegistration RegistrationOfHotKey(int32_t controlValue) {
  // HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4; MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4.
  const uint32_t key = static_cast<uint32_t>(controlValue) & 0xFF;
  const uint32_t flags = (static_cast<uint32_t>(controlValue) >> 8) & 0xFF;
  if (key == 0 || controlValue < 0 || controlValue > 0xFFFF || (flags & (2 | 4)) == 0) return {};
  uint32_t modifiers = 0;
  if (flags & 1) modifiers |= 4;
  if (flags & 2) modifiers |= 2;
  if (flags & 4) modifiers |= 1;
  return {modifiers, key};
}

bool HotKeyRefusals::ToReport(int32_t value, bool refused) {
  if (!refused) {
    reported_ = 0;
    return false;
  }
  if (value == reported_) return false;
  reported_ = value;
  return true;
}
