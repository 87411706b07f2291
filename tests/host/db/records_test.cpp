// Stream records, element order and paths.
#include <gtest/gtest.h>

#include "db/cbar.h"
#include "db/db_paths.h"
#include "db/element_order.h"
#include "db/records.h"
#include "shared/db/record_bytes.h"

namespace {

TEST(RecordsTest, BarWithoutIconPathIsStoredSoThatItReadsBack) {
  // The reader takes no index after an empty path, so none is written.
  CBar bar;
  bar.Name = "b";
  bar.IconIndex = 5;
  bar.Available = 1;
  EXPECT_EQ(EncodeBarRecord(bar), Text("b") + Int(0) + Int(0) + Int(0) + Int(0) + Int(1));
  CBar read;
  ASSERT_EQ(DecodeBarRecord(EncodeBarRecord(bar), "C:\\P\\Orvantis.exe", read), 1);
  EXPECT_EQ(read.Available, 1);
  EXPECT_EQ(read.IconFile, "C:\\P\\Orvantis.exe");
  EXPECT_EQ(read.IconIndex, 0);
}

TEST(RecordsTest, DamagedLengthsAreRefused) {
  const std::string tail = Int(1) + Int(0) + Text("") + Int(0) + Int(1) + Int(0);
  const std::string damagedButtons[] = {
      Int(-1) + Text("t") + Text("") + Text("") + tail,
      Int(INT32_MIN) + tail,
      Text("n") + Int(0x7FFFFFFF) + "abc",
      Text("n") + Text("t") + Text("") + Int(5) + "1234",
      Text("n") + Text("t") + Text("") + Text("") + Int(1) + Int(0) + Int(-100),
  };
  for (const std::string& bytes : damagedButtons) {
    CD button;
    EXPECT_EQ(DecodeButtonRecord(bytes, button), 0) << testing::PrintToString(bytes);
  }
  const std::string damagedBars[] = {
      Int(-4) + "abcd",
      Int(100) + "short",
      Text("n") + Int(0) + Int(0) + Int(0) + Int(9) + "icon",
      Text("n") + Int(0) + Int(0) + Int(0) + Int(-9),
  };
  for (const std::string& bytes : damagedBars) {
    CBar bar;
    EXPECT_EQ(DecodeBarRecord(bytes, "d", bar), 0) << testing::PrintToString(bytes);
  }
}

TEST(RecordsTest, DatabaseRecordIsTheHomeBar) {
  EXPECT_EQ(EncodeDatabaseInfo(-1), std::string("\xFF\xFF\xFF\xFF"));
  int32_t home = -1;
  EXPECT_TRUE(DecodeDatabaseInfo(Int(3) + "extra", home));
  EXPECT_EQ(home, 3);
  home = -1;
  EXPECT_FALSE(DecodeDatabaseInfo("\x01\x02", home));
  EXPECT_EQ(home, -1);
}

TEST(ElementOrderTest, NumbersAscendThenOtherNamesInTheirOrder) {
  std::vector<StorageElement> elements;
  for (const char* name : {"b", "10", "2", "007", "x1", "0", "1a", "", "99999999999", "7"})
    elements.push_back({name, true});
  SortForReading(elements);
  std::vector<std::string> names;
  for (const auto& e : elements) names.push_back(e.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"0", "2", "007", "7", "10", "99999999999", "b", "x1", "1a", ""}));
}

TEST(PathsTest, TargetsResolveAgainstTheProgramFolder) {
  struct Case {
    const char* path;
    const char* resolved;
  } cases[] = {
      {"C:\\Windows\\notepad.exe", "C:\\Windows\\notepad.exe"},
      {"d:/x.exe", "d:/x.exe"},
      {"notepad.exe", "C:\\Prog\\notepad.exe"},
      {"sub\\a.txt", "C:\\Prog\\sub\\a.txt"},
      {"\\Windows\\a.exe", "C:\\Windows\\a.exe"},
      {"\\\\server\\share\\a.exe", "\\\\server\\share\\a.exe"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveAgainstFolder("C:\\Prog", c.path), c.resolved) << c.path;
  EXPECT_EQ(JoinPath("C:\\", "lbars.acc"), "C:\\lbars.acc");
  EXPECT_EQ(JoinPath("", "lbars.acc"), "lbars.acc");
}

}  // namespace
