// What a drag source hands over: raw CF_HDROP block bytes (single-byte or
// UTF-16 names, any offset, any size) and the bytes of the address formats.
// Rules: nothing is read past the block (ASan), the list keeps at most the
// limit, every name is complete and not empty, and the names read survive
// their own block: written again and read back they are the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "barwnd/drop/drop_data.h"
#include "fuzz_support.h"

namespace {

template <class Name>
std::vector<unsigned char> BlockOf(const std::vector<Name>& names, bool wide) {
  std::vector<unsigned char> block(20, 0);
  block[0] = 20;
  block[16] = wide ? 1 : 0;
  auto put = [&](uint32_t c) {
    block.push_back(static_cast<unsigned char>(c & 0xFF));
    if (wide) block.push_back(static_cast<unsigned char>(c >> 8));
  };
  for (const Name& name : names) {
    for (auto c : name) put(static_cast<uint32_t>(static_cast<std::make_unsigned_t<decltype(c)>>(c)));
    put(0);
  }
  put(0);
  return block;
}

template <class Name>
bool Complete(const std::vector<Name>& names) {
  for (const Name& name : names)
    if (name.empty() || name.find(typename Name::value_type(0)) != Name::npos) return false;
  return true;
}

void CheckFileList(const std::vector<unsigned char>& block, std::size_t limit) {
  const DropFileList list = ReadDropFileList(block.data(), block.size(), limit);
  FUZZ_CHECK(list.names.size() <= limit && list.wideNames.size() <= limit);
  FUZZ_CHECK(list.wide ? list.names.empty() : list.wideNames.empty());
  FUZZ_CHECK(Complete(list.names) && Complete(list.wideNames));
  if (list.tooMany || list.damaged) FUZZ_CHECK(list.names.empty() && list.wideNames.empty());
  const std::vector<unsigned char> again = list.wide ? BlockOf(list.wideNames, true) : BlockOf(list.names, false);
  const DropFileList back = ReadDropFileList(again.data(), again.size(), limit);
  FUZZ_CHECK(back.names == list.names && back.wideNames == list.wideNames);
  FUZZ_CHECK(!back.cut && !back.tooMany && !back.damaged);

  const DropPayload payload = PayloadOfFiles(block.data(), block.size());
  for (const DroppedItem& item : payload.items) FUZZ_CHECK(item.text.size() <= kMaxButtonFieldLength);
  FUZZ_CHECK(payload.Count() <= kMaxDroppedFiles);
}

void CheckText(const std::vector<char>& bytes, bool oneAddress) {
  const DropPayload payload = PayloadOfText(bytes.data(), bytes.size(), oneAddress);
  FUZZ_CHECK(payload.wideNames.empty() && payload.refused.size() <= bytes.size());
  for (const DroppedItem& item : payload.items) {
    FUZZ_CHECK(item.kind == DroppedItem::Kind::kAddress);
    FUZZ_CHECK(!item.text.empty() && item.text.size() <= kMaxButtonFieldLength && !HasZeroByte(item.text));
    FUZZ_CHECK(item.text.find('\n') == std::string::npos);
  }
  for (const RefusedItem& item : payload.refused) FUZZ_CHECK(item.name.size() <= kMaxShownNameLength);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::size_t limit = input.ConsumeBool() ? input.ConsumeIntegralInRange<std::size_t>(0, 8) : kMaxDroppedFiles;
  const bool asText = input.ConsumeBool();
  const bool oneAddress = input.ConsumeBool();
  // The rest is the block, in memory of exactly its size.
  const std::vector<uint8_t> rest = input.ConsumeRemainingBytes<uint8_t>();
  if (asText) {
    CheckText(std::vector<char>(rest.begin(), rest.end()), oneAddress);
  } else {
    CheckFileList(std::vector<unsigned char>(rest.begin(), rest.end()), limit);
  }
  return 0;
}
