// Windows paths as text: separators, drive letters and joining a folder and a
// name. Both '\' and '/' separate; what the program builds uses '\'.
#pragma once

#include <cstddef>
#include <string>

bool IsPathSeparator(char c);

// "C:" at `at`: an ASCII letter and a colon.
bool StartsWithDrive(const std::string& path, std::size_t at = 0);

// "C:" or "C:\" (or "C:/"), nothing after it.
bool IsDriveRoot(const std::string& path);

// `path` without the separators it ends with ("C:\Tools\\" gives "C:\Tools").
std::string WithoutFinalSeparators(std::string path);

// `folder` ending with exactly one "\" ("" stays "").
std::string WithFinalBackslash(const std::string& folder);

// `folder` + "\" + `name` with exactly one backslash between them, so that a
// drive root ("C:\") does not give "C:\\name"; an empty folder gives the bare name.
std::string JoinPath(const std::string& folder, const std::string& name);

// Where a stored path points when `folder` is the current folder: absolute
// paths stay, a path from the root of the drive takes the folder's drive,
// anything else is taken inside the folder. An empty path stays empty.
std::string ResolveAgainstFolder(const std::string& folder, const std::string& path);

// The folder that holds what `path` names, with its final backslash
// ("C:\Windows\notepad.exe" gives "C:\Windows\", "C:\x.exe" gives "C:\");
// empty when the path names no folder.
std::string ContainingFolder(const std::string& path);
