// Paths the database builds from the program folder, Windows style.
#pragma once

#include <string>

inline constexpr const char* kDatabaseFileName = "lbars.acc";
inline constexpr const char* kSaveCopyFileName = "tmp_db.acc";
inline constexpr const char* kUndoCopyFileName = "undo_tmp.acc";
// A database with no predecessor is written here and renamed into place once
// it is whole on the disk.
inline constexpr const char* kNewFileName = "new_db.acc";
inline constexpr const char* kProgramFileName = "Orvantis.exe";
// Files kept beside the database instead of being overwritten or thrown away.
inline constexpr const char* kUnreadableStem = "lbars_unreadable";
inline constexpr const char* kUnfinishedStem = "lbars_unfinished";

// folder + "\" + name; an empty folder gives the bare name.
std::string JoinPath(const std::string& folder, const std::string& name);

// Where a stored path points when the program folder is the current folder:
// absolute paths stay, a path from the root of the drive takes the folder's
// drive, anything else is taken inside the folder. An empty path stays empty.
std::string ResolveAgainstFolder(const std::string& folder, const std::string& path);
