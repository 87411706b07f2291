// The "__database_info__" stream of any bytes: the home bar is the first four
// bytes, little-endian, or stays as it was when there are fewer.
#include "db/records.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int32_t homeBar = 12345;
  const bool read = DecodeDatabaseInfo(BytesOf(data, size), homeBar);
  FUZZ_CHECK(read == (size >= 4));
  if (!read) {
    FUZZ_CHECK(homeBar == 12345);
    return 0;
  }
  const uint32_t expected = uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
                            uint32_t{data[3]} << 24;
  FUZZ_CHECK(static_cast<uint32_t>(homeBar) == expected);
  FUZZ_CHECK(EncodeDatabaseInfo(homeBar) == BytesOf(data, 4));
  return 0;
}
