// What the bar does with programs that are already running: a click on a
// program's button switches to its window when the user asked for that, and
// the context menu adds the program that was in front as a new button.
#pragma once

#include <windows.h>

#include <string>

class CBar;
class CDB;
struct CD;
struct Settings;

class BarRunningPrograms {
 public:
  BarRunningPrograms(Settings& settings, CDB& db) : settings_(settings), db_(db) {}
  ~BarRunningPrograms();
  BarRunningPrograms(const BarRunningPrograms&) = delete;
  BarRunningPrograms& operator=(const BarRunningPrograms&) = delete;

  // Sees every message of the bar window first (and handles none): an
  // activation tells which window was in front before the bar, a context
  // menu request fixes the window the menu's entry would add.
  void Observe(HWND bar, UINT msg, WPARAM wp, LPARAM lp);

  // True when the click on `commandId` was answered by switching to (or
  // minimising) a window of its program; false: launch as usual.
  bool SwitchInstead(HWND bar, const CBar& shown, int commandId);
  // The program a button starts (an ".exe", or a shortcut to one, read
  // through the shell); empty for anything else.
  static std::string ProgramOf(const CD& button);

  // Whether the window in front before the context menu opened is one a
  // button can be made of: not the shell's, the desktop's or this program's.
  bool CanAddFront() const;
  // Adds that window's program at the end of bar `ordinal` and saves the
  // database; true when a button was added.
  bool AddFront(int ordinal);

 private:
  // The last window of another program that was in front, or null.
  HWND FrontOutside(HWND bar) const;
  // Every change of the front window is noted, so that the window the bar
  // took the front from is known (the activation does not always name it).
  static void CALLBACK OnForeground(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD);

  Settings& settings_;
  CDB& db_;
  HWND lastOutside_ = nullptr;
  HWND frontAtMenu_ = nullptr;
  HWINEVENTHOOK hook_ = nullptr;
  bool noted_ = false;  // the system told of a front change
};
