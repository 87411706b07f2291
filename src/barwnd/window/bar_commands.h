// Command identifiers the bar window carries out itself (the menus that send
// them are built elsewhere), and the edge each "Screen edge" entry stands for.
#pragma once

#include "barwnd/dock/screen_edge.h"

inline constexpr int kCmdAbout = 32771;
inline constexpr int kCmdExit = 32772;
inline constexpr int kCmdAutoHide = 32773;
inline constexpr int kCmdOptions = 32777;
inline constexpr int kCmdAlwaysOnTop = 32783;
inline constexpr int kCmdHelpContent = 32784;
inline constexpr int kCmdButtonsManager = 32785;
inline constexpr int kCmdBarSwitch = 32789;
inline constexpr int kCmdEdgeTop = 32794;
inline constexpr int kCmdEdgeBottom = 32795;
inline constexpr int kCmdEdgeLeft = 32796;
inline constexpr int kCmdEdgeRight = 32797;
inline constexpr int kCmdCalendar = 32799;
inline constexpr int kCmdWebPage = 32804;
inline constexpr int kCmdAddFrontProgram = 32806;
// The chevron at the bar's far end, shown when not every button fits.
inline constexpr int kCmdChevron = 33030;
// Beyond every launch button's and bar-switch entry's number; a launch comes
// from the buttons toolbar, never from a menu, so the two are never confused.
inline constexpr int kCmdEarlierCopies = 33070;

// The edge a "Screen edge" command moves the bar to, or -1 for other commands.
constexpr int EdgeOfCommand(int id) {
  switch (id) {
    case kCmdEdgeTop: return kEdgeTop;
    case kCmdEdgeBottom: return kEdgeBottom;
    case kCmdEdgeLeft: return kEdgeLeft;
    case kCmdEdgeRight: return kEdgeRight;
    default: return -1;
  }
}
