// The manager's copy of the whole model in memory, kept only when it could not
// take an undo copy of the database file, so that Cancel can still put every
// bar and button back as they were.
#pragma once

#include "db/model_snapshot.h"

using ManagerSnapshot = ModelSnapshot;
