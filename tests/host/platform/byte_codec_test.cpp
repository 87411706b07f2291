#include "platform/byte_codec.h"

#include <gtest/gtest.h>

namespace {

TEST(ByteCodec, WritesLowByteFirst) {
  std::string out;
  PutU16(out, 0xA1B2);
  PutU32(out, 0x01020304u);
  PutU64(out, 0x1122334455667788ull);
  EXPECT_EQ(out, std::string("\xB2\xA1\x04\x03\x02\x01\x88\x77\x66\x55\x44\x33\x22\x11", 14));
}

TEST(ByteCodec, ReadsOnlyWithinTheBlock) {
  const unsigned char block[6] = {0x01, 0x02, 0x03, 0x04, 0xFF, 0x80};
  struct Case {
    std::size_t size, at, width;
    std::optional<uint32_t> expected;
  } cases[] = {
      {6, 0, 4, 0x04030201u}, {6, 2, 4, 0x80FF0403u}, {6, 3, 4, std::nullopt},  // one byte short
      {6, 4, 2, 0x80FFu},     {6, 5, 2, std::nullopt}, {6, 6, 1, std::nullopt},  // at the end
      {6, 7, 1, std::nullopt}, {3, 0, 4, std::nullopt},                           // past it; a short block
      {6, 0, 0, 0u},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetLittleEndian(block, c.size, c.at, c.width), c.expected) << c.at << "+" << c.width;
  }
  EXPECT_EQ(GetU16(block, 6, 4), std::optional<uint16_t>(0x80FF));
  EXPECT_EQ(GetU32(nullptr, 0, 0), std::nullopt);
}

TEST(ByteCodec, ReaderLeavesValueAndPositionOnAShortRead) {
  std::string bytes;
  PutU32(bytes, 7);
  PutU64(bytes, 0x100000002ull);
  bytes += "ab";
  ByteReader in(bytes);
  uint32_t small = 0;
  uint64_t large = 0;
  std::string text;
  ASSERT_TRUE(in.U32(small) && in.U64(large));
  EXPECT_EQ(small, 7u);
  EXPECT_EQ(large, 0x100000002ull);
  small = 99;
  EXPECT_FALSE(in.U32(small));
  EXPECT_FALSE(in.U64(large));
  EXPECT_FALSE(in.Bytes(3, text));
  EXPECT_EQ(small, 99u);
  EXPECT_EQ(in.Left(), 2u);
  EXPECT_TRUE(in.Bytes(2, text));
  EXPECT_EQ(text, "ab");
  EXPECT_TRUE(in.AtEnd());
}

}  // namespace
