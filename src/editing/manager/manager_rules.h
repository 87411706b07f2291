// The buttons manager's rules that need no window: which controls each layout
// shows, the conversions between the "Window size" list and show commands, the
// web-address prefix and where the displayed bar goes when bars change.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/new_button.h"
#include "editing/manager/working_fields.h"

class CDB;

// Layout kinds of the right-hand side.
enum ManagerLayout : int {
  kLayoutFile = 0,
  kLayoutFolder = 1,
  kLayoutWeb = 2,
  kLayoutBar = 3,
  kLayoutNone = 4,  // the root, a separator, nothing selected
};

// Every control that a layout shows or hides.
const std::vector<int>& LayoutControls();
// The controls shown by `kind`; `details` is the pressed state of "Details >>".
std::vector<int> ShownControls(int kind, bool details);
// The controls that follow "Button is available" (the check box itself stays enabled).
const std::vector<int>& AvailabilityControls();

// The layout of a button of this kind: folder and web link keep theirs,
// anything else is laid out as a file.
ManagerLayout ButtonLayout(int32_t kind);

// "Window size" item (0 normal, 1 maximized, 2 minimized) and the show command
// stored in a button. An item outside the list keeps `current`; a show command
// other than 1, 2 or 3 keeps `currentChoice`.
int32_t ShowCmdForSizeChoice(int32_t choice, int32_t current);
// The list shows no item.
constexpr int32_t kNoSizeChoice = -1;

// The model's request for a new button of `kind` from the working fields (bar
// and position left for the caller); a window size the list does not know
// gives the normal window.
ButtonSpec ButtonSpecOf(const WorkingFields& fields, int32_t kind);
int32_t SizeChoiceForShowCmd(int32_t showCmd, int32_t currentChoice);

// The address a new web-link button keeps: unchanged when it already begins
// with a scheme ("http://", "HTTPS://", "ftp://", "mailto:" ...), else with
// "http://" in front.
std::string WebAddress(const std::string& target);
bool HasUrlScheme(const std::string& target);

// The home-bar delay is edited in whole seconds, 1 to 600.
constexpr int32_t kMinShowAfterSeconds = 1;
constexpr int32_t kMaxShowAfterSeconds = 600;
int32_t ClampShowAfterSeconds(int32_t seconds);
// The seconds shown for a bar's stored delay in milliseconds.
int32_t ShowAfterSecondsOf(int32_t showAfterMs);

// The lowest ordinal whose bar is available, or -1.
int32_t FirstAvailableBar(const CDB& db);
// The displayed-bar index after bar `deleted` is removed: it stays on its bar;
// when its own bar goes, bar 0 is shown.
int DisplayedAfterDelete(int displayed, int32_t deleted);
// The displayed-bar index after bars `first` and `second` exchange places: it
// follows its bar.
int DisplayedAfterSwap(int displayed, int32_t first, int32_t second);
