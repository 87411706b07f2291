// Switching to a program that is already running instead of starting it
// again, and the button made for a program that is running: the choices,
// made here without Windows; running_program_win.cpp lists the windows and
// carries the choice out.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ButtonSpec;
struct CD;

// A visible top-level window of a program, as the system lists them: the
// windows stand in their order on the screen, the most recently active first.
struct ProgramWindow {
  uintptr_t handle = 0;
  std::string programPath;  // the full path of the window's executable
  bool minimised = false;
};

enum class SwitchAction {
  kStart,     // no window of the program: start it as usual
  kActivate,  // bring the window to the front, restored when minimised
  kMinimise,  // the program is in front already: minimise its window
};

struct SwitchChoice {
  SwitchAction action = SwitchAction::kStart;
  uintptr_t window = 0;
  bool restore = false;

  friend bool operator==(const SwitchChoice&, const SwitchChoice&) = default;
};

// Paths name the same file when they differ only in case or slash direction.
bool SameProgramPath(const std::string& a, const std::string& b);

// What a click on a button of `program` does; `front` is the window that was
// in front before the click, `newCopy` is the Shift key (always start).
SwitchChoice ChooseSwitch(const std::string& program, const std::vector<ProgramWindow>& windows, uintptr_t front,
                          bool newCopy);

// The target of a link file (empty when it cannot be read).
using LinkTarget = std::function<std::string(const std::string& linkPath)>;

// The program a file button starts: its target when that is an ".exe", the
// target of a shortcut to an ".exe"; empty for documents, folders, web
// addresses and separators.
std::string ProgramOfButton(const CD& button, const LinkTarget& linkTarget);

// The button a running program gets: named by its file description, or by
// its file name without the extension when it has none.
ButtonSpec ProgramButton(const std::string& programPath, const std::string& description);
