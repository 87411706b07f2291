// The settings' font record and the system's logical font hold the same fields.
#pragma once

#include <windows.h>

#include "core/settings.h"

LOGFONTA LogFontFromRecord(const FontRecord& record);
FontRecord RecordFromLogFont(const LOGFONTA& font);
