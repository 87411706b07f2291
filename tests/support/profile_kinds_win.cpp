#include "platform/profile_sections_win.h"
#include "platform/profile_win.h"
#include "support/profile_kinds.h"

std::vector<ProfileKind> ProfileKindsUnderTest() {
  return {IniFileProfileKind(),
          {"Windows", [](const std::string& path) { return std::make_unique<WinProfile>(path); }},
          {"WindowsSections",
           [](const std::string& path) { return std::make_unique<WinSectionProfile>(path); }}};
}
