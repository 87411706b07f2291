// What choosing a target does to the buttons manager's working fields, apart
// from the dialogs that make the choice.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "editing/manager/working_fields.h"

class MessageTexts;
class ShortcutReader;

// The process-wide folder the target file dialog opens in, until the first
// file is chosen for a file button.
constexpr const char* kFirstBrowseFolder = "c:\\";

// A file chosen for a file button. A path containing ".lnk" is read as a shell
// link (its show command sets the window size as a stored button's does);
// any other file is the target itself, run from its own folder. The name is
// the file name cut before its last ".". Returns the new last browse folder.
std::string TakeChosenFile(const std::string& path, WorkingFields& fields, ShortcutReader& links);

// A folder chosen for a folder button: the name is the display name the
// folder browser reported, not the path.
void TakeChosenFolder(const std::string& path, const std::string& displayName, WorkingFields& fields);

// Description and pattern pairs as the system's file dialog wants them: each
// text ends with "\0" and the list with one more.
std::string DialogFilter(const std::vector<std::pair<std::string, std::string>>& pairs);
// The target file dialog's filter for a button kind: all files for a file
// button; internet shortcuts first, then all files, for a web-link button.
std::string TargetFilter(int kind, MessageTexts& texts);
