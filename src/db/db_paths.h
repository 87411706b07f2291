// Paths the database builds from the program folder, Windows style.
#pragma once

#include <string>

#include "platform/path_rules.h"

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
