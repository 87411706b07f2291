// Reading the installer's registry values.
#pragma once

#include <cstdint>
#include <string>

// The leading decimal number of the "Version" text (0 when it has none).
int32_t ParseVersionText(const std::string& text);

// A path built from the install folder and a file name, with exactly one
// backslash between them whatever the folder ends with.
std::string InstallPath(const std::string& installDir, const std::string& fileName);
