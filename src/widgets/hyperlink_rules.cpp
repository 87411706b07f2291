#include "widgets/hyperlink_rules.h"

#include <cstdio>

namespace {

constexpr int kFirstSuccess = 33;

struct ErrorText {
  int code;
  const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30,
     "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

}  // namespace

int OpenHyperlink(const std::string& target, int showCommand, HyperlinkSystem& system) {
  const int shellResult = system.ShellOpen(target, showCommand);
  if (shellResult >= kFirstSuccess) return shellResult;
  const std::optional<std::string> htmClass = system.ClassesRootDefault(".htm");
  if (!htmClass) return shellResult;
  const std::optional<std::string> command = system.ClassesRootDefault(*htmClass + "\\shell\\open\\command");
  if (!command) return shellResult;
  return system.Run(FallbackCommandLine(*command, target), showCommand);
}

std::string FallbackCommandLine(const std::string& registered, const std::string& target) {
  std::string line = registered;
  if (const std::size_t quoted = line.find("\"%1\""); quoted != std::string::npos) {
    line.resize(quoted);
  } else if (const std::size_t bare = line.find("%1"); bare != std::string::npos) {
    line.resize(bare);
  }
  return line + " " + target;
}

int RunResultFromError(unsigned long error) {
  // Windows error codes on the left, the shell's result codes on the right.
  switch (error) {
    case 2: return 2;       // file not found
    case 3: return 3;       // path not found
    case 5: return 5;       // access denied
    case 8: return 8;       // not enough memory
    case 11: return 11;     // bad format
    case 193: return 11;    // not a valid Win32 application
    case 32: return 26;     // sharing violation
    case 1157: return 32;   // a library was not found
    default: return 0;      // every other failure reads as "out of resources"
  }
}

std::string HyperlinkErrorText(int code) {
  std::string text = "Unable to open hyperlink:\n\n";
  for (const ErrorText& entry : kErrorTexts) {
    if (entry.code == code) return text + entry.text;
  }
  char unknown[64];
  std::snprintf(unknown, sizeof(unknown), "Unknown Error (%d) occurred.", code);
  return text + unknown;
}

Rect FitLinkToText(const Rect& control, Size text, LinkTextAlign align, bool centerVertically) {
  Rect r = control;
  if (centerVertically) {
    const int dy = (r.Height() - text.cy) / 2;
    r.top += dy;
    r.bottom = r.top + text.cy;
  } else {
    r.bottom = r.top + text.cy;
  }
  switch (align) {
    case LinkTextAlign::kCenter: {
      const int dx = (r.Width() - text.cx) / 2;
      r.left += dx;
      r.right = r.left + text.cx;
      break;
    }
    case LinkTextAlign::kRight:
      r.left = r.right - text.cx;
      break;
    case LinkTextAlign::kLeft:
      r.right = r.left + text.cx;
      break;
  }
  return r;
}
