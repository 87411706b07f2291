// An icon cache file of any bytes: it is either trusted whole or not at all.
// A file that is read back must be exactly what the writer makes of what was
// read (so nothing in it went unchecked; a file of the first version is
// written in the new one, which reads back as the same entries); one that is refused leaves an empty
// table that the next write replaces. The bytes are tried twice: as they are,
// and with the header's length and checksum made to fit, so that the entries
// themselves meet the reader and not only the checksum.
#include "icons/icon_cache.h"
#include "fuzz_support.h"
#include "platform/byte_codec.h"

namespace {

void SetU32(std::string& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void CheckFile(const std::string& bytes) {
  IconCacheTable table;
  if (!table.Decode(bytes)) {
    FUZZ_CHECK(table.Size() == 0 && table.Changed());
    IconCacheTable empty;
    FUZZ_CHECK(empty.Decode(table.Encode()) && empty.Size() == 0);
    return;
  }
  const std::string written = table.Encode();
  if (GetU32(bytes, 4) == kIconCacheFirstVersion) {
    // An older file is written again in this version, with the same entries.
    FUZZ_CHECK(table.Changed());
    IconCacheTable again;
    FUZZ_CHECK(again.Decode(written) && !again.Changed() && again.Size() == table.Size());
    FUZZ_CHECK(again.Encode() == written);
  } else {
    FUZZ_CHECK(!table.Changed());
    FUZZ_CHECK(written == bytes);
  }
  // What is left after dropping entries is a whole file as well.
  table.Prune([](const IconKey& key) { return key.index % 2 == 0; });
  IconCacheTable pruned;
  FUZZ_CHECK(pruned.Decode(table.Encode()) && pruned.Size() == table.Size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes = BytesOf(data, size);
  CheckFile(bytes);
  constexpr size_t kHeader = 20;
  if (bytes.size() >= kHeader) {
    std::string fitted = bytes;
    SetU32(fitted, 12, static_cast<uint32_t>(fitted.size() - kHeader));
    SetU32(fitted, 16, IconCacheCrc32(fitted.substr(kHeader)));
    CheckFile(fitted);
  }
  return 0;
}
