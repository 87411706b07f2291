// The installer's per-user registry key: "SOFTWARE\Orvantis Software" under
// HKEY_CURRENT_USER with "Version", "InstallDir" and "FirstRun".
#pragma once

#include <string>

// The key path, from the string table.
std::string RegistryKeyPath();

// Reads a text value of the key afresh. On failure shows message 10 (key) or 11
// (value) and ends the process with exit code 0, as start-up does.
std::string InstallValueOrExit(const char* name);

// Reads "InstallDir" afresh. On failure shows message 10 (key) or 11 (value)
// and ends the process with exit code 0, as start-up does.
std::string InstallDirOrExit();

// Shows a text of the message table in a plain OK box and ends the process
// with exit code 0.
[[noreturn]] void FatalMessageAndExit(int messageId);

