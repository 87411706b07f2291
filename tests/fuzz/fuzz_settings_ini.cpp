// A hand-edited "options.ini" of any bytes: the settings load from it, and
// after a save into that same file every value reads back as it was saved
// (except the pitch-and-family byte, whose key the face name shares).
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "app/settings.h"
#include "fuzz_support.h"
#include "platform/ini_profile.h"

namespace {

std::string ScratchPath() {
  const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  return std::string(folder) + "/qr_fuzz_options_" + std::to_string(getpid()) + ".ini";
}

bool SameExceptPitchAndFace(Settings a, Settings b) {
  b.Font.PitchAndFamily = a.Font.PitchAndFamily;
  std::memcpy(b.Font.FaceName, a.Font.FaceName, sizeof a.Font.FaceName);
  return a == b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = ScratchPath();
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
  FUZZ_CHECK(SameExceptPitchAndFace(loaded, reread));
  return 0;
}
