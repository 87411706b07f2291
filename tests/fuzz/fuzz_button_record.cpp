// A button stream of any bytes: read it, and what was read must survive its
// own encoding unchanged.
#include "db/records.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CD button;
  if (!DecodeButtonRecord(BytesOf(data, size), button)) return 0;

  for (const std::string* text : {&button.Name, &button.Target, &button.WorkDir, &button.Arguments, &button.IconFile})
    FUZZ_CHECK(!HasZeroByte(*text));

  const std::string encoded = EncodeButtonRecord(button);
  FUZZ_CHECK(encoded.size() == 168 + button.Name.size() + button.Target.size() + button.WorkDir.size() +
                                   button.Arguments.size() + button.IconFile.size());
  CD reread;
  FUZZ_CHECK(DecodeButtonRecord(encoded, reread) == 1);
  FUZZ_CHECK(SameStoredButton(button, reread));
  return 0;
}
