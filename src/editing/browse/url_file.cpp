#include "editing/browse/url_file.h"

#include "editing/browse/name_rules.h"
#include "platform/profile.h"

std::string ReadInternetShortcutUrl(Profile& file) {
  // The whole address is kept: an address cut at a buffer's end would open
  // some other page without anyone noticing.
  return file.GetString("InternetShortcut", "URL", "");
}

bool TakeInternetShortcut(const std::string& chosenPath, Profile& file, WorkingFields& fields) {
  if (!ContainsExact(chosenPath, ".url")) return false;
  fields.Target = ReadInternetShortcutUrl(file);
  fields.Name = UrlButtonName(fields.Target);
  return true;
}
