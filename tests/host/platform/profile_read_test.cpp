#include "platform/profile_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/profile.h"

namespace {

struct Outcome {
  bool whole = false;
  size_t largestBuffer = 0;
  int reads = 0;
};

// The read loop of the platform's profile over a value of `length`
// characters: each text read gives at most the buffer's size less one.
Outcome ReadValueOf(size_t length, size_t limit = kProfileValueLimit) {
  Outcome outcome;
  size_t buffer = 256;
  for (;;) {
    ++outcome.reads;
    outcome.largestBuffer = std::max(outcome.largestBuffer, buffer);
    size_t next = 0;
    switch (NextProfileRead(buffer, std::min(length, buffer - 1), limit, next)) {
      case ProfileReadStep::kWhole: outcome.whole = true; return outcome;
      case ProfileReadStep::kTooLong: return outcome;
      case ProfileReadStep::kGrow:
        EXPECT_GT(next, buffer);
        buffer = next;
        break;
    }
  }
}

TEST(ProfileReadTest, ValuesUpToTheLimitAreReadWholeLongerOnesNeverGrowTheBufferFurther) {
  const struct {
    size_t length;
    bool whole;
  } cases[] = {
      {0, true},
      {253, true},
      {254, true},  // fills a buffer of 256 without room to spare: asked again
      {4000, true},
      {kProfileValueLimit, true},
      {kProfileValueLimit + 1, false},
      {size_t{1} << 30, false},
  };
  // A caller's own limit below the profile's.
  EXPECT_TRUE(ReadValueOf(1000, 1000).whole);
  EXPECT_FALSE(ReadValueOf(1001, 1000).whole);
  EXPECT_LE(ReadValueOf(5000, 1000).largestBuffer, 1003u);
  for (const auto& c : cases) {
    const Outcome outcome = ReadValueOf(c.length);
    EXPECT_EQ(outcome.whole, c.whole) << c.length;
    EXPECT_LE(outcome.largestBuffer, kProfileValueLimit + 3) << c.length;
    EXPECT_LE(outcome.reads, 14) << c.length;
  }
  EXPECT_EQ(ReadValueOf(254).reads, 2);
}

}  // namespace
