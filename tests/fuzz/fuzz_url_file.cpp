// An internet-shortcut file of any bytes, chosen as a web link's target: the
// address is taken whole or refused, never cut; a refusal changes no field;
// a taken address is what the profile reads for the key, and never longer
// than the limit.
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "editing/browse/name_rules.h"
#include "editing/browse/url_file.h"
#include "fuzz_support.h"
#include "platform/profile.h"
#include "support/ini_profile.h"

namespace {

// The shortcut file of this process, removed when the process ends.
struct ScratchFile {
  std::string Path;
  ScratchFile() {
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    Path = std::string(folder) + "/qr_fuzz_link_" + std::to_string(getpid()) + ".url";
  }
  ~ScratchFile() { std::remove(Path.c_str()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ScratchFile scratch;
  {
    std::ofstream out(scratch.Path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  IniFileProfile file(scratch.Path);
  const std::string stored = file.GetString("InternetShortcut", "URL", "");
  WorkingFields fields;
  fields.Target = "before";
  fields.Name = "name";
  const ShortcutTake taken = TakeInternetShortcut(scratch.Path, file, fields);
  if (stored.size() > kMaxInternetShortcutUrl) {
    FUZZ_CHECK(taken == ShortcutTake::kTooLong);
    FUZZ_CHECK(fields.Target == "before" && fields.Name == "name");
    FUZZ_CHECK(ReadInternetShortcutUrl(file).empty());
    return 0;
  }
  FUZZ_CHECK(taken == ShortcutTake::kTaken);
  FUZZ_CHECK(fields.Target == stored);
  FUZZ_CHECK(fields.Name == UrlButtonName(stored));
  return 0;
}
