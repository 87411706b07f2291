// Internet-shortcut files (".url"): an INI file whose section
// "InternetShortcut" holds the address under "URL".
#pragma once

#include <optional>
#include <string>

#include "editing/manager/working_fields.h"

class Profile;

// The longest address taken: the longest command line the system starts a
// program with, so a longer one could not be handed to a browser anyway.
inline constexpr size_t kMaxInternetShortcutUrl = 32767;

// The address the file holds, whole; "" when the key is missing. Nothing
// when it is longer than kMaxInternetShortcutUrl (it is then not read whole).
std::optional<std::string> ReadWholeInternetShortcutUrl(Profile& file);
// The same, with "" for an address too long to read whole.
std::string ReadInternetShortcutUrl(Profile& file);

enum class ShortcutTake {
  kNotShortcut,  // the path is no ".url": nothing changed
  kTaken,        // the fields were set
  kTooLong,      // the address is too long to read whole: nothing changed
};

// A web-link button's fields after the user chose `chosenPath` (read through
// `file`): the target is the address and the name the address without its
// "http://" or "https://".
ShortcutTake TakeInternetShortcut(const std::string& chosenPath, Profile& file, WorkingFields& fields);
