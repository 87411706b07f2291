// The implementations of the profile rules a test runs against, each made over
// a file path: the file-backed copy everywhere, and under Wine also the real
// Windows functions, with the same tables — which is what keeps the copy honest.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/profile.h"

struct ProfileKind {
  std::string name;
  std::function<std::unique_ptr<Profile>(const std::string& path)> make;
};

// The file-backed copy (IniFileProfile).
ProfileKind IniFileProfileKind();
// The copy first, then (under Windows) the real functions.
std::vector<ProfileKind> ProfileKindsUnderTest();

inline void PrintTo(const ProfileKind& kind, std::ostream* out) { *out << kind.name; }
