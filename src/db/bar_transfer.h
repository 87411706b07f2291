// Bars that move between databases: one bar written to a file of its own
// (".qrbar", a database file holding that bar, which the loader reads like
// any other) and the bars of such a file, or of any database file, added at
// the end of the database.
#pragma once

#include <cstdint>
#include <string>

class CBar;
class CDB;

// `name`, else "name (2)", "name (3)" …: the first that no bar of `db` has
// (letters compared without regard to case).
std::string FreeBarName(const CDB& db, const std::string& name);

// Appends a copy of `bar` with its buttons to `db` under `name`; its ordinal.
// The icon file of a bar that shows the program's own icon is left empty, so
// that it shows the icon of whichever program reads it.
int32_t AppendBarCopy(CDB& db, const CBar& bar, const std::string& name, const std::string& ownIconFile = "");

// Writes `bar` of `db` alone to a database file at `path`; 1 when the whole
// file is on the disk (a file of that name is replaced only then).
int ExportBar(const CDB& db, const CBar& bar, const std::string& path);

enum class ImportResult { kImported, kUnreadable, kNoBars };

// Adds every bar of the database file at `path` to the end of `db`, renamed
// where the name is taken; `first` gets the ordinal of the first one. Nothing
// is added unless the whole file was read and holds a bar.
ImportResult ImportBars(CDB& db, const std::string& path, int32_t& first);
