// What choosing a target does to the buttons manager's working fields, apart
// from the dialogs that make the choice.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "editing/manager/working_fields.h"

class MessageTexts;
class ShortcutReader;
struct ShortcutFields;

// The process-wide folder the target file dialog opens in, until the first
// file is chosen for a file button.
constexpr const char* kFirstBrowseFolder = "c:\\";

// True when a path holds a '?' outside a leading "\\?\": no file name can
// hold one, so it stands for a character the code page could not write.
bool HoldsUnwritable(const std::string& path);

// Why the fields read from a shell link cannot make a button as they are: the
// number of the reason's message (kMsgNotInCodePage, kMsgPathTooLong,
// kMsgArgumentsTooLong), or 0 when they can.
int32_t LinkRefusalText(const ShortcutFields& link);

struct ChosenFile {
  std::string folder;   // the new last browse folder
  int32_t refusal = 0;  // for a refused link, its reason's message; the fields are then unchanged
};

// A file chosen for a file button. A path containing ".lnk" is read as a shell
// link (its show command sets the window size as a stored button's does, its
// paths are taken with their environment variables expanded); a link whose
// fields a button cannot hold whole is refused. Any other file
// is the target itself, run from its own folder. The name is the file name
// cut before its last ".".
ChosenFile TakeChosenFile(const std::string& path, WorkingFields& fields, ShortcutReader& links);

// A folder chosen for a folder button: the name is the display name the
// folder browser reported, not the path.
void TakeChosenFolder(const std::string& path, const std::string& displayName, WorkingFields& fields);

// Description and pattern pairs as the system's file dialog wants them: each
// text ends with "\0" and the list with one more.
std::string DialogFilter(const std::vector<std::pair<std::string, std::string>>& pairs);
// The target file dialog's filter for a button kind: all files for a file
// button; internet shortcuts first, then all files, for a web-link button.
std::string TargetFilter(int kind, MessageTexts& texts);
