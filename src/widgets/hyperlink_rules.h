// The rules of the hyperlink control that need no window: how a target is
// opened (the shell first, then the program registered for ".htm"), the text
// shown when that fails, and how the control is sized to its text.
#pragma once

#include <optional>
#include <string>

#include "platform/geometry.h"

// What opening a target needs from the system. Results follow the shell's
// open operation: above 32 is success, 0 to 32 name the failure.
class HyperlinkSystem {
 public:
  virtual ~HyperlinkSystem() = default;
  virtual int ShellOpen(const std::string& target, int showCommand) = 0;
  // The default value of a key under the classes root; nothing when it cannot be read.
  virtual std::optional<std::string> ClassesRootDefault(const std::string& key) = 0;
  // Starts the command line as it is (no command interpreter).
  virtual int Run(const std::string& commandLine, int showCommand) = 0;
};

// Opens `target` through the shell; when that fails, with the program that
// opens ".htm" files. A registry value that cannot be read ends the fallback:
// the shell's result is returned.
int OpenHyperlink(const std::string& target, int showCommand, HyperlinkSystem& system);

// The ".htm" program's command line cut before its "%1" placeholder (quoted
// or bare; options after it are dropped), a blank and the target.
std::string FallbackCommandLine(const std::string& registered, const std::string& target);

// The result code of a failed start of a command line, in the numbering of
// the shell's open operation, from the system's error code.
int RunResultFromError(unsigned long error);

// "Unable to open hyperlink:" + two line breaks + the text for the code.
std::string HyperlinkErrorText(int code);

// How the control's text sits in it, from its static-control style.
enum class LinkTextAlign { kLeft, kCenter, kRight };

// The control's rectangle (parent coordinates) fitted to its text's extent.
// Vertically centred text shrinks equally at the top and bottom, other text
// keeps its top; centred text shrinks equally on both sides, right-aligned
// text keeps its right edge, other text its left edge.
Rect FitLinkToText(const Rect& control, Size text, LinkTextAlign align, bool centerVertically);
