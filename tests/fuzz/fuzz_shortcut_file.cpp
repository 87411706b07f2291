// A start-up shortcut of any bytes: the reader never reads past them, and a
// shortcut it takes for the program's is not also taken for another program
// or another working folder.
#include "app/shortcut_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes = BytesOf(data, size);
  const std::string program = "C:\\Q\\Orvantis.exe", folder = "C:\\Q";
  if (MatchShortcut(bytes, program, folder) != ShortcutMatch::kStarts) return 0;
  FUZZ_CHECK(MatchShortcut(bytes, program + "x", folder) != ShortcutMatch::kStarts);
  FUZZ_CHECK(MatchShortcut(bytes, program, folder + "x") != ShortcutMatch::kStarts);
  return 0;
}
