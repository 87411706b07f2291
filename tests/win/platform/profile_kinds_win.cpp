#include "platform/ini_profile.h"
#include "platform/profile_win.h"
#include "shared/platform/profile_test_support.h"

std::vector<ProfileKind> ProfileKindsUnderTest() {
  return {{"IniFile", [](const std::string& path) { return std::make_unique<IniFileProfile>(path); }},
          {"Windows", [](const std::string& path) { return std::make_unique<WinProfile>(path); }}};
}
