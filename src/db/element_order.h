// The order in which bars and buttons are read: ascending numeric order of
// their element names ("2" before "10"), whatever order the storage lists them
// in; names that are no number come after the numbered ones, in the order the
// storage gave them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/storage.h"

// A name made of decimal digits only gives its value (capped at INT32_MAX);
// anything else gives -1.
int64_t ElementNumber(const std::string& name);

void SortForReading(std::vector<StorageElement>& elements);
