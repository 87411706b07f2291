#include "support/profile_kinds.h"

#include "support/ini_profile.h"

ProfileKind IniFileProfileKind() {
  return {"IniFile", [](const std::string& path) { return std::make_unique<IniFileProfile>(path); }};
}

// The Windows tree adds the real functions (profile_kinds_win.cpp).
#ifndef _WIN32
std::vector<ProfileKind> ProfileKindsUnderTest() { return {IniFileProfileKind()}; }
#endif
