// The host's compound-file bytes: any file is either refused or parsed into a
// tree that writes back to exactly the same bytes.
#include "fuzz_support.h"
#include "platform/storage_memory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes = BytesOf(data, size);
  const auto root = MemoryStorageBackend::Parse(bytes);
  if (root) FUZZ_CHECK(MemoryStorageBackend::Serialize(*root) == bytes);
  return 0;
}
