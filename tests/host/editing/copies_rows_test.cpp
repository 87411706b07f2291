#include <gtest/gtest.h>

#include "editing/copies/copies_rows.h"

namespace {

struct JoinCase {
  std::vector<std::string> names;
  size_t maxLength;
  std::string shown;
};

class JoinBarNamesTest : public testing::TestWithParam<JoinCase> {};

TEST_P(JoinBarNamesTest, CutsWithAnEllipsisWithinTheLength) {
  const JoinCase& c = GetParam();
  const std::string shown = JoinBarNames(c.names, c.maxLength);
  EXPECT_EQ(shown, c.shown);
  EXPECT_LE(shown.size(), std::max<size_t>(c.maxLength, 3));
}

INSTANTIATE_TEST_SUITE_P(Names, JoinBarNamesTest,
                         testing::Values(JoinCase{{}, 10, ""}, JoinCase{{"Tools", "Web"}, 10, "Tools, Web"},
                                         JoinCase{{"Tools", "Web"}, 9, "Tools,..."},
                                         JoinCase{{"Toolbox"}, 5, "To..."}, JoinCase{{"Tools"}, 2, "..."}));

TEST(CopyRowTest, DamagedCopyShowsOnlyItsDateAndWhy) {
  DatabaseSummary summary;
  summary.bars = 2;
  const CopyRow row = MakeCopyRow({"x", {2026, 3, 1}, 2}, summary, "1.3.2026", "damaged");
  EXPECT_TRUE(row.damaged);
  EXPECT_EQ(row.date, "1.3.2026 (2)");
  EXPECT_EQ(row.bars + row.buttons + row.names, "damaged");
}

}  // namespace
