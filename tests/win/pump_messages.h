// Moved to tests/support; this forwards until every test includes it from there.
#pragma once

#include "support/pump_messages_win.h"
