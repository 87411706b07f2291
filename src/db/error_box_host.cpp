// The host build has no message boxes; storage errors go to standard error.
#ifndef _WIN32

#include <cstdio>

#include "db/cdb.h"

void ShowStorageErrorBox(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

#endif
