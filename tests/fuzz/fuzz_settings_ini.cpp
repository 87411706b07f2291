// A hand-edited "options.ini" of any bytes: the settings load from it, and
// after a save into that same file every value the save wrote reads back as
// it was saved. Not compared: the pitch-and-family byte, whose key the face
// name shares, and "Floating", which is never written (a rewrite may move it
// between sections, as the profile functions do with a "[]" header line).
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "core/settings.h"
#include "fuzz_support.h"
#include "support/ini_profile.h"

namespace {

// The settings file of this process, removed when the process ends.
struct ScratchFile {
  std::string Path;
  ScratchFile() {
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    Path = std::string(folder) + "/qr_fuzz_options_" + std::to_string(getpid()) + ".ini";
  }
  ~ScratchFile() { std::remove(Path.c_str()); }
};

bool SameWrittenValues(Settings a, Settings b) {
  b.Floating = a.Floating;
  b.Font.PitchAndFamily = a.Font.PitchAndFamily;
  std::memcpy(b.Font.FaceName, a.Font.FaceName, sizeof a.Font.FaceName);
  // Texts lose a pair of enclosing quotes at each read, as the profile functions do.
  std::memcpy(b.Monitor, a.Monitor, sizeof a.Monitor);
  return a == b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ScratchFile scratch;
  const std::string& path = scratch.Path;
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  IniFileProfile profile(path);

  Settings loaded;
  loaded.Load(profile);
  // The face name is a C text inside a LOGFONT: always terminated.
  FUZZ_CHECK(loaded.Font.FaceName[sizeof loaded.Font.FaceName - 1] == '\0');

  loaded.Save(profile, nullptr, loaded.CurrentBar);
  Settings reread;
  reread.Load(profile);
  FUZZ_CHECK(SameWrittenValues(loaded, reread));
  return 0;
}
