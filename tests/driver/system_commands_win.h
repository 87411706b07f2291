// Commands about the session rather than one window: processes, shell links, the
// screen and the code page the driver's texts are written in.
#pragma once

#include <windows.h>
#include <tlhelp32.h>
#include <shellapi.h>

#include "../../src/platform/handles_win.h"
#include "command_line.h"
#include "record.h"
#include "shell_link_win.h"
#include "window_query_win.h"

namespace qrdriver {

inline int ListProcesses(const Args& args) {
  UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) throw Failure{"cannot list processes"};
  const auto exe = args.Option("exe");
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
    if (exe && Lower(entry.szExeFile) != Lower(*exe)) continue;
    Record()
        .Add("pid", entry.th32ProcessID)
        .Add("ppid", entry.th32ParentProcessID)
        .Add("exe", std::string(entry.szExeFile))
        .Print();
  }
  return 0;
}

inline int Terminate(const Args& args) {
  const DWORD pid = static_cast<DWORD>(args.Integer(0));
  UniqueKernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
  if (!process) throw Failure{"no process " + args.At(0)};
  if (!::TerminateProcess(process.Get(), static_cast<UINT>(args.IntegerOption("code", 1)))) {
    throw Failure{"TerminateProcess failed (error " + std::to_string(::GetLastError()) + ")"};
  }
  ::WaitForSingleObject(process.Get(), args.TimeoutMs(5000));
  return 0;
}

inline std::string PathArgument(const Args& args, size_t index) {
  return args.Has("escaped") ? Unescape(args.At(index)) : args.At(index);
}

// Opens a file with no sharing, as a program holding it locked does, says
// "held" and keeps it until a file at --until appears (or --timeout ms pass).
inline int HoldFile(const Args& args) {
  UniqueKernelHandle file(
      ::CreateFileA(PathArgument(args, 0).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    throw Failure{"cannot open " + args.At(0) + " (error " + std::to_string(::GetLastError()) + ")"};
  }
  std::puts("held");
  std::fflush(stdout);
  const std::string until = args.Option("until").value_or("");
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < args.TimeoutMs(30000)) {
    if (!until.empty() && ::GetFileAttributesA(until.c_str()) != INVALID_FILE_ATTRIBUTES) break;
    ::Sleep(50);
  }
  return 0;
}

inline int ShowShellLink(const Args& args) {
  const ShellLinkFields link = ShellLink().Load(PathArgument(args, 0));
  Record()
      .Add("path", link.target)
      .Add("workdir", link.workingDir)
      .Add("args", link.arguments)
      .Add("description", link.description)
      .Add("icon", link.iconPath)
      .Add("iconindex", link.iconIndex)
      .Add("showcmd", link.showCommand)
      .Print();
  return 0;
}

inline int MakeShellLink(const Args& args) {
  auto text = [&](const char* option) {
    const std::string value = args.Option(option).value_or("");
    return args.Has("escaped") ? Unescape(value) : value;
  };
  ShellLinkFields link;
  link.target = PathArgument(args, 1);
  link.workingDir = text("workdir");
  link.arguments = text("args");
  link.description = text("description");
  link.iconPath = text("icon");
  link.iconIndex = static_cast<int>(args.IntegerOption("icon-index", 0));
  link.showCommand = static_cast<int>(args.IntegerOption("showcmd", SW_SHOWNORMAL));
  ShellLink().Save(PathArgument(args, 0), link);
  return 0;
}

// Texts on the driver's output are bytes of this code page.
inline int ShowCodePage(const Args&) {
  Record().Add("acp", ::GetACP()).Add("oemcp", ::GetOEMCP()).Print();
  return 0;
}

// Special folders by a short name or a CSIDL number; the folder need not exist yet.
inline int ShowFolder(const Args& args) {
  struct Named {
    const char* name;
    int csidl;
  };
  static const Named kFolders[] = {
      {"startup", CSIDL_STARTUP},          {"appdata", CSIDL_APPDATA},
      {"local-appdata", CSIDL_LOCAL_APPDATA}, {"programs", CSIDL_PROGRAMS},
      {"desktop", CSIDL_DESKTOPDIRECTORY}, {"favorites", CSIDL_FAVORITES},
      {"documents", CSIDL_PERSONAL},       {"profile", CSIDL_PROFILE},
      {"windows", CSIDL_WINDOWS},          {"system", CSIDL_SYSTEM},
      {"program-files", CSIDL_PROGRAM_FILES},
  };
  std::optional<int> csidl;
  for (const Named& named : kFolders) {
    if (Lower(args.At(0)) == named.name) csidl = named.csidl;
  }
  if (!csidl) {
    auto number = ParseInteger(args.At(0));
    if (!number) throw UsageError{"unknown folder: " + args.At(0)};
    csidl = static_cast<int>(*number);
  }
  char path[MAX_PATH] = {};
  const HRESULT hr = ::SHGetFolderPathA(nullptr, *csidl | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, path);
  if (FAILED(hr)) throw Failure{"no path for folder " + args.At(0)};
  Record().Add("path", std::string(path)).Print();
  return 0;
}

inline int ShowScreen(const Args&) {
  RECT work = {};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  Record record;
  record.Add("width", ::GetSystemMetrics(SM_CXSCREEN)).Add("height", ::GetSystemMetrics(SM_CYSCREEN));
  AddRect(record, "workarea", work);
  record.Print();
  return 0;
}

// Asks the shell about a notification-area icon: "modify" succeeds only for an
// icon the shell has, "delete" removes it (as a shell restart would lose it).
inline int TrayIconRequest(const Args& args) {
  const std::string action = args.At(0);
  NOTIFYICONDATAA record = {};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = ParseWindow(args.At(1));
  record.uID = static_cast<UINT>(args.Integer(2));
  DWORD message = NIM_DELETE;
  if (action == "modify") {
    message = NIM_MODIFY;
    record.uFlags = NIF_TIP;
    lstrcpynA(record.szTip, "Orvantis.Quickrail", sizeof(record.szTip));
  } else if (action != "delete") {
    throw UsageError{"tray: modify or delete"};
  }
  if (!::Shell_NotifyIconA(message, &record)) throw Failure{"the shell has no such icon"};
  return 0;
}

}  // namespace qrdriver
