#include "platform/ini_profile.h"
#include "shared/platform/profile_test_support.h"

std::vector<ProfileKind> ProfileKindsUnderTest() {
  return {{"IniFile", [](const std::string& path) { return std::make_unique<IniFileProfile>(path); }}};
}
