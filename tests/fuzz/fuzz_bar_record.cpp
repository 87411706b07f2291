// A bar's "__quickrail_info__" stream of any bytes: read it, and what was read
// must survive its own encoding unchanged.
#include "db/records.h"
#include "fuzz_support.h"

namespace {

const std::string kDefaultIcon = "C:\\Orvantis\\Orvantis.exe";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CBar bar;
  if (!DecodeBarRecord(BytesOf(data, size), kDefaultIcon, bar)) return 0;

  FUZZ_CHECK(!HasZeroByte(bar.Name) && !HasZeroByte(bar.IconFile));
  // A bar always has an icon to show: its own or the program's.
  FUZZ_CHECK(!bar.IconFile.empty());

  const std::string encoded = EncodeBarRecord(bar);
  FUZZ_CHECK(encoded.size() == 28 + bar.Name.size() + bar.IconFile.size());
  CBar reread;
  FUZZ_CHECK(DecodeBarRecord(encoded, kDefaultIcon, reread) == 1);
  FUZZ_CHECK(SameStoredBar(bar, reread));
  return 0;
}
