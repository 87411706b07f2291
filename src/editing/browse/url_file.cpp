#include "editing/browse/url_file.h"

#include "editing/browse/name_rules.h"
#include "platform/profile.h"

std::optional<std::string> ReadWholeInternetShortcutUrl(Profile& file) {
  // The whole address or none: an address cut at a buffer's end would open
  // some other page without anyone noticing.
  return file.GetBoundedString("InternetShortcut", "URL", "", kMaxInternetShortcutUrl);
}

std::string ReadInternetShortcutUrl(Profile& file) { return ReadWholeInternetShortcutUrl(file).value_or(""); }

ShortcutTake TakeInternetShortcut(const std::string& chosenPath, Profile& file, WorkingFields& fields) {
  if (!ContainsExact(chosenPath, ".url")) return ShortcutTake::kNotShortcut;
  std::optional<std::string> url = ReadWholeInternetShortcutUrl(file);
  if (!url) return ShortcutTake::kTooLong;
  fields.Target = std::move(*url);
  fields.Name = UrlButtonName(fields.Target);
  return ShortcutTake::kTaken;
}
