// What a second start of the program says to the running one. It finds the
// running bar window and sends it the appbar notification message
// ("OrvantisNotify") with a code of its own: the shell's codes are 0 to 3, so
// no notice of the shell is ever taken for it. The bar answers that it heard,
// comes forward and keeps an autohidden bar out for a moment.
#pragma once

#include <cstdint>

inline constexpr uintptr_t kAnotherStartCode = 0x51520001;
inline constexpr intptr_t kAnotherStartHeard = 0x51520002;

// How long an autohidden bar stays out before autohide applies again, and the
// bar window's timer that ends that hold.
inline constexpr unsigned kForwardHoldMilliseconds = 3000;
inline constexpr uintptr_t kForwardHoldTimerId = 33000;
