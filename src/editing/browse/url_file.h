// Internet-shortcut files (".url"): an INI file whose section
// "InternetShortcut" holds the address under "URL".
#pragma once

#include <string>

#include "editing/manager/working_fields.h"

class Profile;

// The address the file holds, whole; "" when the key is missing.
std::string ReadInternetShortcutUrl(Profile& file);

// A web-link button's fields after the user chose `chosenPath` (read through
// `file`): the target is the address and the name the address without its
// "http://" or "https://". A path without ".url" changes nothing. True when
// the fields were set.
bool TakeInternetShortcut(const std::string& chosenPath, Profile& file, WorkingFields& fields);
