// qrdriver: the console program the end-to-end scenarios steer windows with.
//   qrdriver COMMAND [ARGS...] [--OPTIONS]
// Output is one record per line on stdout, tab-separated key=value fields with
// escaped values (see record.h); window handles are written and read as 0x hex.
// Exit code: 0 done, 1 failed or timed out (reason on stderr), 2 bad usage.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "command_line.h"
#include "drag_drop_win.h"
#include "input_commands_win.h"
#include "message_commands_win.h"
#include "system_commands_win.h"
#include "window_commands_win.h"

namespace qrdriver {
namespace {

const std::set<std::string> kWindowFilterOptions = {"class", "title", "title-contains", "exe", "pid", "owner", "timeout"};

struct Command {
  const char* name;
  const char* usage;
  size_t minArgs;
  size_t maxArgs;
  std::set<std::string> valueOptions;
  int (*run)(const Args&);
};

int Help(const Args&);

const Command kCommands[] = {
    {"windows", "windows [--pid P] [--exe NAME] [--class C] [--title T] [--title-contains T] [--visible]", 0, 0,
     kWindowFilterOptions, ListWindows},
    {"wait-window",
     "wait-window [--class C] [--title T] [--title-contains T] [--pid P] [--exe NAME] [--owner HWND] [--hidden] "
     "[--all] [--timeout ms]",
     0, 0, kWindowFilterOptions, WaitWindow},
    {"wait-gone", "wait-gone HWND [--destroyed] [--timeout ms]", 1, 1, {"timeout"}, WaitGone},
    {"children", "children HWND [--direct]", 1, 1, {}, ListChildren},
    {"toolbar", "toolbar HWND", 1, 1, {}, ListToolbar},
    {"info", "info HWND", 1, 1, {}, ShowInfo},
    {"rect", "rect HWND", 1, 1, {}, ShowRect},
    {"text", "text HWND", 1, 1, {}, ShowText},
    {"set-text", "set-text HWND TEXT [--escaped]", 2, 2, {}, SetText},
    {"post", "post HWND MSG [WPARAM [LPARAM]]", 2, 4, {}, PostAny},
    {"send", "send HWND MSG [WPARAM [LPARAM]] [--timeout ms]", 2, 4, {"timeout"}, SendAny},
    {"send-command", "send-command HWND ID [--code N] [--control HWND] [--sync [--timeout ms]]", 2, 2,
     {"code", "control", "timeout"}, SendCommand},
    {"message-box", "message-box [--pid P] [--exe NAME] [--owner HWND] [--timeout ms]", 0, 0, kWindowFilterOptions,
     ShowMessageBox},
    {"press", "press HWND ID [--command] | press --msgbox ID [--pid P] [--exe NAME] [--timeout ms]", 1, 2,
     kWindowFilterOptions, Press},
    {"check", "check HWND ID on|off [--timeout ms]", 3, 3, {"timeout"}, SetCheck},
    {"click", "click X Y [left|right|middle|double]", 2, 3, {}, Click},
    {"move", "move X Y", 2, 2, {}, Move},
    {"cursor", "cursor", 0, 0, {}, Cursor},
    {"key", "key CHORD... [--delay ms]   (CHORD: RETURN, F4, CTRL+S, ALT+F4, 0x41)", 1, 64, {"delay"}, Keys},
    {"type", "type TEXT [--escaped]", 1, 1, {}, Type},
    {"activate", "activate HWND [--timeout ms]", 1, 1, {"timeout"}, Activate},
    {"foreground", "foreground", 0, 0, {}, Foreground},
    {"processes", "processes [--exe NAME]", 0, 0, {"exe"}, ListProcesses},
    {"terminate", "terminate PID [--code N] [--timeout ms]", 1, 1, {"code", "timeout"}, Terminate},
    {"hold-file", "hold-file PATH [--until PATH] [--timeout ms] [--escaped]", 1, 1, {"until", "timeout"}, HoldFile},
    {"lnk-info", "lnk-info PATH [--escaped]", 1, 1, {}, ShowShellLink},
    {"make-lnk",
     "make-lnk PATH TARGET [--workdir D] [--args A] [--description T] [--icon P] [--icon-index N] [--showcmd N] "
     "[--escaped]",
     2, 2, {"workdir", "args", "description", "icon", "icon-index", "showcmd"}, MakeShellLink},
    {"folder",
     "folder NAME|CSIDL   (startup, appdata, local-appdata, programs, desktop, favorites, documents, profile, "
     "windows, system, program-files)",
     1, 1, {}, ShowFolder},
    {"codepage", "codepage", 0, 0, {}, ShowCodePage},
    {"screen", "screen", 0, 0, {}, ShowScreen},
    {"tray", "tray modify|delete HWND ID", 3, 3, {}, TrayIconRequest},
    {"drag",
     "drag X,Y[;X,Y...] --files P1|P2... | --files-from FILE | --url TEXT | --text TEXT [--effects copy,move,link] "
     "[--step ms] [--hold ms] [--cancel]",
     1, 1, {"files", "files-from", "url", "text", "effects", "step", "hold"}, DragAndDrop},
    {"help", "help", 0, 0, {}, Help},
};

int Help(const Args&) {
  std::puts("usage: qrdriver COMMAND [ARGS...]");
  for (const Command& command : kCommands) std::printf("  %s\n", command.usage);
  return 0;
}

const Command* FindCommand(const std::string& name) {
  for (const Command& command : kCommands) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

int Run(const std::vector<std::string>& argv) {
  if (argv.empty()) {
    std::fputs("qrdriver: no command (try: qrdriver help)\n", stderr);
    return 2;
  }
  const Command* command = FindCommand(argv[0]);
  if (!command) {
    std::fprintf(stderr, "qrdriver: unknown command %s (try: qrdriver help)\n", argv[0].c_str());
    return 2;
  }
  try {
    const Args args(std::vector<std::string>(argv.begin() + 1, argv.end()), command->valueOptions);
    if (args.Count() < command->minArgs || args.Count() > command->maxArgs) {
      throw UsageError{"wrong number of arguments"};
    }
    return command->run(args);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "qrdriver %s: %s\nusage: qrdriver %s\n", command->name, error.message.c_str(),
                 command->usage);
    return 2;
  } catch (const Failure& error) {
    std::fprintf(stderr, "qrdriver %s: %s\n", command->name, error.message.c_str());
    return 1;
  }
}

}  // namespace
}  // namespace qrdriver

int main(int argc, char** argv) {
  // Plain LF line ends: the scenarios split the output on them.
  _setmode(_fileno(stdout), _O_BINARY);
  // A missing drive or file must fail the command, not open a system error box.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const int code = qrdriver::Run(std::vector<std::string>(argv + 1, argv + argc));
  std::fflush(stdout);
  return code;
}
