// The plain ways of writing and reading a compound file on ole32: the floors
// the database benchmark sets the program's save and load beside.
#pragma once

#include <string>

class CDB;

// The same tree as CDB::Save writes, in direct mode straight into the file,
// element by element.
bool DirectModeSave(const CDB& db, const std::string& path);

// Direct-mode StgOpenStorage, every stream enumerated and read raw: the floor
// for a load.
bool RawLoad(const std::string& path);

// The same raw reading, of the file read in one piece and opened in memory.
bool RawLoadInMemory(const std::string& path);
