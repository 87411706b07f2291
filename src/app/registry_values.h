// Reading the installer's registry values.
#pragma once

#include <cstdint>
#include <string>

// The leading decimal number of the "Version" text (0 when it has none).
int32_t ParseVersionText(const std::string& text);
