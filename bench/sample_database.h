// Databases of a chosen size for the benchmarks: bars of mixed buttons (files,
// folders, web addresses, a separator now and then) with texts of the lengths
// real bars have.
#pragma once

#include <cstdint>

class CDB;

// Adds `bars` bars of `buttonsPerBar` buttons each; the second bar is the home bar.
void FillSampleDatabase(CDB& db, int32_t bars, int32_t buttonsPerBar);

// Bars, buttons and every stored field equal, command ids too.
bool SameDatabaseContents(const CDB& a, const CDB& b);
